#include "graphs/plot_widget.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// The one paint buffer of a PlotWidget. Clearing it copies the plot's
// background in instead of making it transparent, so it is always opaque:
// the layers are drawn over the background as they would be laid over it,
// and the buffer reaches the widget as a plain copy.
class OpaqueBuffer final : public QCPAbstractPaintBuffer {
public:
    OpaqueBuffer(PlotWidget &plot, const QSize &size, double ratio)
        : QCPAbstractPaintBuffer(size, ratio), m_plot(plot)
    {
        OpaqueBuffer::reallocateBuffer();
    }

    QCPPainter *startPainting() override { return new QCPPainter(&m_image); }

    void draw(QCPPainter *painter) const override
    {
        if (painter && painter->isActive())
            painter->drawImage(QPoint(0, 0), m_image);
    }

    // The library clears with transparency; here the background stands in,
    // except where the layers are sure to cover it.
    void clear(const QColor &) override
    {
        const QImage &backdrop = m_plot.backdrop(mSize, mDevicePixelRatio);
        if (m_image.size() != backdrop.size() || m_image.format() != backdrop.format()) {
            m_image = backdrop.copy();
            return;
        }
        // The covered rectangle in pixels, one pixel inside it on each side.
        const QRect area = m_plot.coveredArea();
        const double ratio = mDevicePixelRatio;
        const int left = static_cast<int>(std::ceil(area.left() * ratio)) + 1;
        const int top = std::max(static_cast<int>(std::ceil(area.top() * ratio)) + 1, 0);
        const int right
            = static_cast<int>(std::floor((area.right() + 1) * ratio)) - 1; // past the last column
        const int bottom
            = std::min(static_cast<int>(std::floor((area.bottom() + 1) * ratio)) - 1, m_image.height());
        const qsizetype line = m_image.bytesPerLine();
        const auto copyRows = [&](int from, int to) {
            if (to > from)
                std::memcpy(m_image.scanLine(from), backdrop.constScanLine(from),
                    static_cast<size_t>(line * (to - from)));
        };
        if (area.isEmpty() || left < 0 || right > m_image.width() || left >= right || top >= bottom) {
            copyRows(0, m_image.height());
            return;
        }
        constexpr int pixel = 4; // bytes, Format_RGB32
        copyRows(0, top);
        for (int y = top; y < bottom; ++y) {
            std::memcpy(m_image.scanLine(y), backdrop.constScanLine(y), static_cast<size_t>(left * pixel));
            std::memcpy(m_image.scanLine(y) + right * pixel, backdrop.constScanLine(y) + right * pixel,
                static_cast<size_t>((m_image.width() - right) * pixel));
        }
        copyRows(bottom, m_image.height());
    }

protected:
    void reallocateBuffer() override
    {
        setInvalidated();
        m_image = QImage(mSize * mDevicePixelRatio, QImage::Format_RGB32);
        m_image.setDevicePixelRatio(mDevicePixelRatio);
        clear(Qt::transparent);
    }

private:
    PlotWidget &m_plot;
    QImage m_image;
};

// The library's tick label pictures sit in protected members; these reach
// them through member pointers named in derived classes.
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
    mPaintBuffers.append(QSharedPointer<QCPAbstractPaintBuffer>(
        new OpaqueBuffer(*this, viewport().size(), mBufferDevicePixelRatio)));
}

PlotWidget::~PlotWidget() = default;

void PlotWidget::setBackdrop(const QBrush &brush)
{
    setBackground(brush); // what drawing into an image paints under the layers
    m_backdrop = QImage();
}

const QImage &PlotWidget::backdrop(const QSize &size, double ratio)
{
    const QSize pixels = size * ratio;
    if (m_backdrop.size() != pixels || m_backdrop.devicePixelRatio() != ratio) {
        m_backdrop = QImage(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        m_backdrop.setDevicePixelRatio(ratio);
        m_backdrop.fill(Qt::white);
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

// The buffer holds the background already, so only the buffer is painted.
// A new pixel ratio (the window moved to another screen) or a buffered layer
// goes the library's way, which copes with both.
void PlotWidget::paintEvent(QPaintEvent *event)
{
    if (mPaintBuffers.size() != 1 || !qFuzzyCompare(mBufferDevicePixelRatio, devicePixelRatioF())) {
        QCustomPlot::paintEvent(event);
        return;
    }
    QCPPainter painter(this);
    if (painter.isActive())
        mPaintBuffers.first()->draw(&painter);
}

void KeepTickLabelPictures(QCPAxis *axis, int count)
{
    QCPAxisPainterPrivate *painter = axis->*AxisPainterOf::member();
    (painter->*LabelCacheOf::member()).setMaxCost(std::max(count, 16));
}
