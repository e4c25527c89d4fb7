#include "graphs/plot_widget.h"

#include <QPainter>

#include <algorithm>
#include <utility>

namespace {

// The library's paint buffer here: one pixel for the library's own replots,
// which nothing shows.
class UnseenBuffer final : public QCPAbstractPaintBuffer {
public:
    UnseenBuffer() : QCPAbstractPaintBuffer(QSize(1, 1), 1), m_pixel(1, 1, QImage::Format_RGB32) { }

    QCPPainter *startPainting() override { return new QCPPainter(&m_pixel); }
    void draw(QCPPainter *) const override { }
    void clear(const QColor &) override { }

protected:
    void reallocateBuffer() override { }

private:
    QImage m_pixel;
};

// Parts of the library kept protected, reached through member pointers named
// in derived classes: a layer's drawing, an axis's tick label pictures.
struct LayerDrawOf : QCPLayer {
    static auto member() { return &LayerDrawOf::draw; }
};
struct AxisPainterOf : QCPAxis {
    static auto member() { return &AxisPainterOf::mAxisPainter; }
};
struct LabelCacheOf : QCPAxisPainterPrivate {
    static auto member() { return &LabelCacheOf::mLabelCache; }
};

} // namespace

PlotWidget::PlotWidget(QWidget *parent) : QCustomPlot(parent)
{
    layer(QStringLiteral("overlay"))->setMode(QCPLayer::lmLogical);
    // The library makes its first buffer only when it has none.
    mPaintBuffers.clear();
    mPaintBuffers.append(QSharedPointer<QCPAbstractPaintBuffer>(new UnseenBuffer));
}

PlotWidget::~PlotWidget() = default;

void PlotWidget::setBackdrop(const QBrush &brush)
{
    setBackground(brush); // what drawing into an image paints under the layers
    m_backdrop = QImage();
    update();
}

void PlotWidget::redraw()
{
    updateLayout();
    update();
}

void PlotWidget::layOut()
{
    updateLayout();
}

const QImage &PlotWidget::backdrop(const QSize &size, double ratio)
{
    const QSize pixels = size * ratio;
    if (m_backdrop.size() != pixels || m_backdrop.devicePixelRatio() != ratio) {
        m_backdrop = QImage(pixels, QImage::Format_RGB32);
        m_backdrop.setDevicePixelRatio(ratio);
        QPainter painter(&m_backdrop);
        painter.fillRect(QRect(QPoint(0, 0), size), mBackgroundBrush);
    }
    return m_backdrop;
}

QRect PlotWidget::coveredArea() const
{
    const QCPAxisRect *rect = axisRect();
    if (!rect || !rect->realVisibility())
        return {};
    const QBrush brush = rect->backgroundBrush();
    return brush.style() == Qt::SolidPattern && brush.isOpaque() ? rect->rect() : QRect();
}

// The background goes around the covered area, and one pixel into it, so
// that every pixel of the widget is painted.
void PlotWidget::paintBackdrop(QPainter &painter, double ratio)
{
    const QRect area = rect();
    const QImage &picture = backdrop(area.size(), ratio);
    const QRect covered = coveredArea().adjusted(1, 1, -1, -1) & area;
    if (covered.isEmpty()) {
        painter.drawImage(area.topLeft(), picture);
        return;
    }
    const QRect bands[] = {
        QRect(QPoint(area.left(), area.top()), QPoint(area.right(), covered.top() - 1)),
        QRect(QPoint(area.left(), covered.bottom() + 1), QPoint(area.right(), area.bottom())),
        QRect(QPoint(area.left(), covered.top()), QPoint(covered.left() - 1, covered.bottom())),
        QRect(QPoint(covered.right() + 1, covered.top()), QPoint(area.right(), covered.bottom())),
    };
    for (const QRect &band : bands)
        if (!band.isEmpty())
            painter.drawImage(
                QRectF(band), picture, QRectF(QPointF(band.topLeft()) * ratio, QSizeF(band.size()) * ratio));
}

// Paints the whole plot as laid out last: the background, then the layers
// from the bottom up, as the library draws them into its buffers.
void PlotWidget::paintEvent(QPaintEvent *)
{
    const double ratio = devicePixelRatioF();
    if (!qFuzzyCompare(mBufferDevicePixelRatio, ratio))
        setBufferDevicePixelRatio(ratio); // tick label pictures are made at the screen's ratio
    QCPPainter painter(this);
    if (!painter.isActive())
        return;
    paintBackdrop(painter, ratio);
    drawBackground(&painter);
    for (QCPLayer *layer : std::as_const(mLayers))
        (layer->*LayerDrawOf::member())(&painter);
}

void KeepTickLabelPictures(QCPAxis *axis, int count)
{
    QCPAxisPainterPrivate *painter = axis->*AxisPainterOf::member();
    (painter->*LabelCacheOf::member()).setMaxCost(std::max(count, 16));
}
