#include "graphs/plot_widget.h"

#include <QDataStream>
#include <QImage>
#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
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

bool HoldsOnlyAxes(const QCPLayer *layer)
{
    const QList<QCPLayerable *> children = layer->children();
    return !children.isEmpty()
        && std::all_of(children.cbegin(), children.cend(),
            [](const QCPLayerable *child) { return qobject_cast<const QCPAxis *>(child) != nullptr; });
}

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
    FrameState frame = frameState();
    if (frame.around.isEmpty() || frame.around != m_paintedFrame.around) {
        update(); // the painting takes note of what it shows
        return;
    }
    // An axis that changed (the time axis as the page scrolls) is painted
    // again with the whole area, where its grid lines and every point
    // moved; the other axes, with their labels, stay as the window shows
    // them.
    QRegion changedAxes;
    const QList<QCPAxis *> axes = axisRect()->axes();
    for (qsizetype i = 0; i < axes.size(); ++i)
        if (frame.axes.at(i) != m_paintedFrame.axes.at(i))
            changedAxes += axisZone(axes.at(i));
    if (!changedAxes.isEmpty()) {
        m_paintedFrame = std::move(frame);
        m_shownContent = AreaContent();
        m_shownContent.unknown = true;
        update(changedAxes + axisRect()->rect().adjusted(-1, -1, 1, 1));
        return;
    }
    // Only what changed inside the area is painted again: after a sample,
    // the few pixels around the newest points.
    AreaContent content = areaContent();
    const QRect changed = changedArea(m_shownContent, content);
    m_shownContent = std::move(content);
    if (!changed.isEmpty())
        update(changed);
}

// The graphs' points in pixels, and how everything inside the area is
// drawn. Anything inside that these do not follow is marked as unknown.
PlotWidget::AreaContent PlotWidget::areaContent() const
{
    AreaContent content;
    QDataStream out(&content.looks, QIODevice::WriteOnly);
    const int width = axisRect()->rect().width();
    for (const QCPAbstractPlottable *plottable : mPlottables) {
        const auto *graph = qobject_cast<const QCPGraph *>(plottable);
        if (!graph || !graph->keyAxis() || !graph->valueAxis()) {
            content.unknown = true;
            return content;
        }
        // Many points to a pixel are thinned as a whole, not point by point.
        const bool thinned = graph->adaptiveSampling() && graph->dataCount() > width;
        out << graph->realVisibility() << graph->pen() << graph->brush() << int(graph->lineStyle())
            << int(graph->scatterStyle().shape()) << graph->scatterStyle().size()
            << bool(graph->channelFillGraph()) << graph->selected() << thinned;
        QVector<QPointF> points;
        points.reserve(graph->dataCount());
        for (auto point = graph->data()->constBegin(); point != graph->data()->constEnd(); ++point)
            points.append(QPointF(
                graph->keyAxis()->coordToPixel(point->key), graph->valueAxis()->coordToPixel(point->value)));
        content.lines.append(points);
        content.reach = std::max(content.reach, graph->pen().widthF() + graph->scatterStyle().size());
    }
    for (const QCPAbstractItem *line : mItems) {
        out << line->realVisibility() << line->metaObject()->className();
        for (const QCPItemPosition *position : line->positions())
            out << position->pixelPosition();
        if (const auto *straight = qobject_cast<const QCPItemStraightLine *>(line))
            out << straight->pen();
        else
            content.unknown = true;
    }
    return content;
}

namespace {

// Equal pixels, a gap (a point without a value) equal to a gap.
bool SamePoint(const QPointF &a, const QPointF &b)
{
    const auto same = [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); };
    return same(a.x(), b.x()) && same(a.y(), b.y());
}

// Grows bounds by the points from first to last, skipping gaps.
void Include(const QVector<QPointF> &points, qsizetype first, qsizetype last, QRectF &bounds, bool &any)
{
    for (qsizetype i = std::max<qsizetype>(first, 0); i <= last && i < points.size(); ++i) {
        const QPointF &point = points.at(i);
        if (std::isnan(point.x()) || std::isnan(point.y()))
            continue;
        if (!any) {
            bounds = QRectF(point, point);
            any = true;
            continue;
        }
        bounds.setLeft(std::min(bounds.left(), point.x()));
        bounds.setRight(std::max(bounds.right(), point.x()));
        bounds.setTop(std::min(bounds.top(), point.y()));
        bounds.setBottom(std::max(bounds.bottom(), point.y()));
    }
}

} // namespace

// Where the area differs between two contents: around the points that
// differ, with their neighbours (the lines to them change too).
QRect PlotWidget::changedArea(const AreaContent &before, const AreaContent &now) const
{
    const QRect whole = axisRect()->rect().adjusted(-1, -1, 1, 1);
    if (before.unknown || now.unknown || before.looks != now.looks || before.lines.size() != now.lines.size())
        return whole;
    QRectF bounds;
    bool any = false;
    for (qsizetype i = 0; i < now.lines.size(); ++i) {
        const QVector<QPointF> &a = before.lines.at(i);
        const QVector<QPointF> &b = now.lines.at(i);
        qsizetype first = 0;
        while (first < a.size() && first < b.size() && SamePoint(a.at(first), b.at(first)))
            ++first;
        qsizetype lastA = a.size() - 1;
        qsizetype lastB = b.size() - 1;
        while (lastA >= first && lastB >= first && SamePoint(a.at(lastA), b.at(lastB))) {
            --lastA;
            --lastB;
        }
        if (first > lastA && first > lastB)
            continue; // the same points
        Include(a, first - 1, lastA + 1, bounds, any);
        Include(b, first - 1, lastB + 1, bounds, any);
    }
    if (!any)
        return {};
    const int reach = static_cast<int>(std::ceil(now.reach)) + 2;
    return bounds.toAlignedRect().adjusted(-reach, -reach, reach, reach) & whole;
}

// The backdrop and the axes (ticks, tick labels, titles) are all that is
// drawn outside the axis rectangle when every other layerable is clipped to
// it. Anything else visible may draw there with the data, and so may a
// see-through plot area (the depth walls show through it): no frame then.
bool PlotWidget::drawsOnlyInsideTheArea(const QCPLayerable *layerable) const
{
    if (!layerable->realVisibility() || qobject_cast<const QCPAxis *>(layerable)
        || qobject_cast<const QCPGrid *>(layerable) || qobject_cast<const QCPLayout *>(layerable)
        || layerable == axisRect())
        return true;
    if (const auto *selection = qobject_cast<const QCPSelectionRect *>(layerable))
        return !selection->isActive();
    if (qobject_cast<const QCPAbstractPlottable *>(layerable))
        return true; // always clipped to its axes' rectangle
    if (const auto *item = qobject_cast<const QCPAbstractItem *>(layerable))
        return item->clipToAxisRect();
    return false;
}

PlotWidget::FrameState PlotWidget::frameState() const
{
    const QCPAxisRect *area = axisRect();
    if (!area || coveredArea().isEmpty() || axisRectCount() != 1)
        return {};
    for (const QCPLayer *layer : mLayers)
        for (const QCPLayerable *layerable : layer->children())
            if (!drawsOnlyInsideTheArea(layerable))
                return {};
    FrameState state;
    const QList<QCPAxis *> axes = area->axes();
    QDataStream around(&state.around, QIODevice::WriteOnly);
    around << size() << mBackgroundBrush << area->rect() << area->backgroundBrush() << axes.size();
    for (const QCPAxis *axis : axes) {
        QByteArray &bytes = state.axes.emplace_back();
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out << int(axis->axisType()) << axis->realVisibility() << axis->range().lower << axis->range().upper
            << axis->tickVector() << axis->tickVectorLabels() << axis->label() << axis->labelFont()
            << axis->labelColor() << axis->tickLabels() << axis->tickLabelFont() << axis->tickLabelColor()
            << axis->tickLabelRotation() << axis->basePen() << axis->tickPen() << axis->subTickPen()
            << axis->subTicks() << axis->tickLengthIn() << axis->tickLengthOut() << axis->subTickLengthIn()
            << axis->subTickLengthOut() << axis->offset() << axis->padding() << axis->labelPadding()
            << axis->tickLabelPadding() << int(axis->scaleType()) << axis->rangeReversed()
            << int(axis->tickLabelSide()) << axis->numberFormat() << axis->numberPrecision();
    }
    return state;
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
void PlotWidget::paintEvent(QPaintEvent *event)
{
    // What the window shows around the area from now on, whoever asked for
    // this painting.
    if (QRegion(rect()).subtracted(event->region()).isEmpty()) {
        m_paintedFrame = frameState();
        // Not taken here: a graph that scrolls at every sample is painted
        // whole every time. The next redraw paints the whole area once,
        // and follows its content from there.
        m_shownContent = AreaContent();
        m_shownContent.unknown = true;
    }
    const double ratio = devicePixelRatioF();
    if (!qFuzzyCompare(mBufferDevicePixelRatio, ratio))
        setBufferDevicePixelRatio(ratio); // tick label pictures are made at the screen's ratio
    QCPPainter painter(this);
    if (!painter.isActive())
        return;
    paintBackdrop(painter);
    drawBackground(&painter);
    const QRegion painted = event->region();
    for (QCPLayer *layer : std::as_const(mLayers)) {
        if (HoldsOnlyAxes(layer))
            drawAxesWithin(*layer, painted, painter);
        else
            (layer->*LayerDrawOf::member())(&painter);
    }
}

// Draws the axes of the layer that reach into what is painted: the others
// (their tick labels and titles are the costliest text of the plot) would
// be clipped away whole. They are hidden while the layer draws.
void PlotWidget::drawAxesWithin(QCPLayer &layer, const QRegion &painted, QCPPainter &painter)
{
    QList<QCPLayerable *> apart;
    for (QCPLayerable *child : layer.children())
        if (child->visible() && !painted.intersects(axisZone(static_cast<const QCPAxis *>(child))))
            apart.append(child);
    if (apart.size() == layer.children().size())
        return;
    for (QCPLayerable *axis : std::as_const(apart))
        axis->setVisible(false);
    (layer.*LayerDrawOf::member())(&painter);
    for (QCPLayerable *axis : std::as_const(apart))
        axis->setVisible(true);
}

// Where an axis draws: all outside the area on its side, and inside it only
// the ticks along the area's edge. Tick labels put inside, or an axis not of
// the area, may be anywhere.
QRect PlotWidget::axisZone(const QCPAxis *axis) const
{
    const QCPAxisRect *area = axisRect();
    if (!area || axis->axisRect() != area || axis->tickLabelSide() == QCPAxis::lsInside)
        return rect();
    // The base line lies on the edge; a pen may be wider than a pixel.
    const int edge = std::max({ axis->tickLengthIn(), axis->subTickLengthIn(), -axis->offset(), 0 }) + 3;
    const QRect inside = area->rect();
    const QRect whole = rect();
    switch (axis->axisType()) {
    case QCPAxis::atLeft:
        return QRect(whole.topLeft(), QPoint(inside.left() + edge - 1, whole.bottom()));
    case QCPAxis::atRight:
        return QRect(QPoint(inside.right() - edge + 1, whole.top()), whole.bottomRight());
    case QCPAxis::atTop:
        return QRect(whole.topLeft(), QPoint(whole.right(), inside.top() + edge - 1));
    case QCPAxis::atBottom:
        return QRect(QPoint(whole.left(), inside.bottom() - edge + 1), whole.bottomRight());
    }
    return whole;
}

void KeepTickLabelPictures(QCPAxis *axis, int count)
{
    QCPAxisPainterPrivate *painter = axis->*AxisPainterOf::member();
    (painter->*LabelCacheOf::member()).setMaxCost(std::max(count, 16));
}
