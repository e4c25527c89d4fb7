#include "graphs/plot_widget.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTransform>

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

// The background brush for painting any part of an area: a gradient set
// over the object's bounds is stretched over the whole area, not over the
// part painted. A linear one becomes one in the area's own coordinates,
// which the raster engine fills line by line with plain colour.
QBrush PlotWidget::backdrop(const QRect &area) const
{
    const QGradient *gradient = mBackgroundBrush.gradient();
    if (!gradient
        || (gradient->coordinateMode() != QGradient::ObjectBoundingMode
            && gradient->coordinateMode() != QGradient::ObjectMode))
        return mBackgroundBrush;
    const auto toArea = [&area](const QPointF &point) {
        return QPointF(area.left() + point.x() * area.width(), area.top() + point.y() * area.height());
    };
    if (gradient->type() == QGradient::LinearGradient && mBackgroundBrush.transform().isIdentity()) {
        const auto *linear = static_cast<const QLinearGradient *>(gradient);
        QLinearGradient inArea(toArea(linear->start()), toArea(linear->finalStop()));
        inArea.setStops(linear->stops());
        inArea.setSpread(linear->spread());
        inArea.setInterpolationMode(linear->interpolationMode());
        return inArea;
    }
    // Any other gradient: the same stretch as a transform.
    QGradient inArea = *gradient;
    inArea.setCoordinateMode(QGradient::LogicalMode);
    QBrush brush(inArea);
    brush.setTransform(mBackgroundBrush.transform()
        * QTransform(area.width(), 0, 0, area.height(), area.left(), area.top()));
    return brush;
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
void PlotWidget::paintBackdrop(QPainter &painter)
{
    const QRect area = rect();
    const QBrush brush = backdrop(area);
    const QRect covered = coveredArea().adjusted(1, 1, -1, -1) & area;
    if (covered.isEmpty()) {
        painter.fillRect(area, brush);
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
            painter.fillRect(band, brush);
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
    paintBackdrop(painter);
    drawBackground(&painter);
    for (QCPLayer *layer : std::as_const(mLayers))
        (layer->*LayerDrawOf::member())(&painter);
}

void KeepTickLabelPictures(QCPAxis *axis, int count)
{
    QCPAxisPainterPrivate *painter = axis->*AxisPainterOf::member();
    (painter->*LabelCacheOf::member()).setMaxCost(std::max(count, 16));
}
