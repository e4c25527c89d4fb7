#include "graphs/chart.h"

#include "graphs/plot_widget.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QVBoxLayout>
#include <qcustomplot.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QColor Blue(0, 0, 255);
const QColor Maroon(128, 0, 0);
const QColor Grey(128, 128, 128);
const QColor GridColour(229, 229, 229);
const QColor WallColour(221, 221, 221);
const QColor FloorColour(200, 200, 200);
const QColor MarkColour(214, 184, 140); // a pale sand: seen, never in the way of the lines
const QColor RunStartColour(96, 160, 96); // a quiet green, solid: where this run's samples begin
constexpr double Depth = 0.08; // of the plot's height, in the 3-D look
constexpr int MostLabels = 200; // labels drawn at most, however wide the window

QFont ChartFont()
{
    return QFont(QStringLiteral("Arial"), 8);
}

// The height of one line of a bottom-axis label.
int LabelLineHeight()
{
    static const int height = QFontMetrics(ChartFont()).height();
    return height;
}

size_t ColourSlot(PointColour colour)
{
    switch (colour) {
    case PointColour::Blue:
        return 0;
    case PointColour::Maroon:
        return 1;
    default:
        return 2;
    }
}

// The walls of the 3-D look: a white back wall set back by the depth, the
// left wall and the floor joining it to the plot's front.
class DepthWalls final : public QCPLayerable {
public:
    DepthWalls(QCustomPlot *plot, QCPAxisRect *rect)
        : QCPLayerable(plot, QStringLiteral("background")), m_rect(rect)
    {
    }

    void setDepth(int depth) { m_depth = depth; }

protected:
    void applyDefaultAntialiasingHint(QCPPainter *painter) const override { painter->setAntialiasing(false); }

    void draw(QCPPainter *painter) override
    {
        const QRect front = m_rect->rect();
        const QPoint back(m_depth, -m_depth);
        painter->setPen(QPen(GridColour.darker(130), 0));
        painter->setBrush(Qt::white);
        painter->drawRect(front.translated(back));
        painter->setBrush(WallColour);
        painter->drawPolygon(QPolygon(
            { front.topLeft(), front.topLeft() + back, front.bottomLeft() + back, front.bottomLeft() }));
        painter->setBrush(FloorColour);
        painter->drawPolygon(QPolygon({ front.bottomLeft(), front.bottomLeft() + back,
            front.bottomRight() + back, front.bottomRight() }));
    }

private:
    QCPAxisRect *m_rect;
    int m_depth = 0;
};

} // namespace

Chart::Chart(QWidget *parent) : Chart(*new TimeGraph, parent)
{
    m_graph->setParent(this);
}

Chart::Chart(TimeGraph &graph, QWidget *parent)
    : QWidget(parent), m_plot(new PlotWidget(this)), m_ticker(new QCPAxisTickerText), m_graph(&graph)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_plot);
    m_plot->setMouseTracking(true);
    // The graphs have no legend; one with entries would be measured again
    // at every layout although it is never shown.
    m_plot->setAutoAddPlottableToLegend(false);

    for (size_t side = 0; side < 2; ++side) {
        QCPAxis *valueAxis = side == 0 ? m_plot->yAxis : m_plot->yAxis2;
        const std::array<QColor, 3> colours = { Blue, Maroon, Grey };
        for (size_t slot = 0; slot < 3; ++slot) {
            QCPGraph *graph = m_plot->addGraph(m_plot->xAxis, valueAxis);
            graph->setPen(QPen(colours[slot], 1));
            graph->setLineStyle(QCPGraph::lsLine);
            graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
            graph->setAdaptiveSampling(false);
            m_graphs[side][slot] = graph;
        }
    }
    auto *walls = new DepthWalls(m_plot, m_plot->axisRect());
    walls->setVisible(false);
    m_walls = walls;
    setUpLook();

    connect(m_plot, &QCustomPlot::mousePress, this, &Chart::onMousePress);
    connect(m_plot, &QCustomPlot::mouseMove, this, &Chart::onMouseMove);
    connect(m_plot, &QCustomPlot::mouseRelease, this, &Chart::onMouseRelease);
    connect(m_graph, &TimeGraph::changed, this, &Chart::follow);
    follow();
}

Chart::~Chart() = default;

void Chart::setUpLook()
{
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(240, 240, 240));
    setPalette(palette);

    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, QColor(223, 223, 223));
    m_plot->setBackdrop(QBrush(gradient));
    m_plot->axisRect()->setBackground(Qt::white);
    m_plot->setNotAntialiasedElements(QCP::aeAll);
    m_plot->setInteractions(QCP::Interactions());

    const QPen grid(GridColour, 0, Qt::SolidLine);
    QCPAxis *bottom = m_plot->xAxis;
    bottom->setTicker(m_ticker);
    bottom->setBasePen(Qt::NoPen);
    bottom->setTickPen(Qt::NoPen);
    bottom->setSubTicks(false);
    bottom->setTickLength(0, 0);
    bottom->setTickLabelFont(ChartFont());
    bottom->setTickLabelColor(Qt::black);
    bottom->setTickLabelRotation(-90);
    bottom->grid()->setPen(grid);
    bottom->grid()->setZeroLinePen(grid);

    const auto valueAxis = [&](QCPAxis *axis, const QColor &colour) {
        axis->setVisible(true);
        axis->setBasePen(Qt::NoPen);
        axis->setTickPen(QPen(colour, 0));
        axis->setSubTicks(false);
        axis->setTickLabelFont(ChartFont());
        axis->setTickLabelColor(colour);
        axis->setLabelFont(ChartFont());
        axis->setLabelColor(colour);
        axis->grid()->setPen(grid);
        axis->grid()->setZeroLinePen(grid);
    };
    valueAxis(m_plot->yAxis, Blue);
    valueAxis(m_plot->yAxis2, Maroon);
    m_plot->yAxis2->setTickLabels(true);
    m_plot->yAxis2->grid()->setVisible(false);
}

QCPAxis *Chart::plotAxis(ChartAxis axis) const
{
    switch (axis) {
    case ChartAxis::Left:
        return m_plot->yAxis;
    case ChartAxis::Right:
        return m_plot->yAxis2;
    case ChartAxis::Bottom:
        break;
    }
    return m_plot->xAxis;
}

double Chart::minimum(ChartAxis axis) const
{
    return m_graph->minimum(axis);
}

double Chart::maximum(ChartAxis axis) const
{
    return m_graph->maximum(axis);
}

void Chart::setMinimum(ChartAxis axis, double value)
{
    m_graph->setMinimum(axis, value);
}

void Chart::setMaximum(ChartAxis axis, double value)
{
    m_graph->setMaximum(axis, value);
}

// The library's axes, titles and look follow the graph at once, so a drag
// step in progress converts pixels with the current limits; the drawing
// waits for the next turn.
void Chart::follow()
{
    syncAxes();
    m_plot->yAxis->setLabel(m_graph->axisTitle(ChartAxis::Left));
    m_plot->yAxis2->setLabel(m_graph->axisTitle(ChartAxis::Right));
    apply3D();
    scheduleRefresh();
}

void Chart::syncAxes()
{
    for (ChartAxis axis : { ChartAxis::Left, ChartAxis::Right, ChartAxis::Bottom })
        plotAxis(axis)->setRange(m_graph->minimum(axis), m_graph->maximum(axis));
}

QString Chart::axisTitle(ChartAxis axis) const
{
    return plotAxis(axis)->label();
}

void Chart::apply3D()
{
    const bool on = m_graph->is3D();
    if (on == m_3DShown)
        return;
    m_3DShown = on;
    m_walls->setVisible(on);
    m_plot->axisRect()->setBackground(on ? QBrush(Qt::NoBrush) : QBrush(Qt::white));
    applyDepth(height());
}

void Chart::applyDepth(int drawnHeight)
{
    const int depth = m_3DShown ? static_cast<int>(std::lround(Depth * std::max(drawnHeight, 100))) : 0;
    static_cast<DepthWalls *>(m_walls)->setDepth(depth);
    m_plot->yAxis2->setOffset(depth);
    m_plot->axisRect()->setMinimumMargins(QMargins(15, 15 + depth, 15, 15));
}

void Chart::scheduleRefresh()
{
    if (m_refreshPending)
        return;
    m_refreshPending = true;
    QMetaObject::invokeMethod(this, &Chart::queuedRefresh, Qt::QueuedConnection);
}

// A graph that is not shown (the other tabs, the web graph) is drawn when it
// appears, or into an image on demand; its data waits until then.
void Chart::queuedRefresh()
{
    if (m_refreshPending && isVisible())
        refreshNow();
}

void Chart::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_refreshPending)
        refreshNow();
}

void Chart::refreshNow()
{
    m_refreshPending = false;
    applyDepth(height());
    rebuildVisibleData();
    rebuildLabels(m_plot->axisRect()->width(), true);
    ++m_replotCount;
    m_plot->redraw();
}

// Only the points in the window, and one on each side of it, reach the
// library; the cost of a redraw follows the window, not the history.
void Chart::rebuildVisibleData()
{
    const double low = m_graph->minimum(ChartAxis::Bottom);
    const double high = m_graph->maximum(ChartAxis::Bottom);
    const double most = std::numeric_limits<int>::max() / 2.0;
    const int first = static_cast<int>(std::clamp(std::floor(low) - 1, 0.0, most));
    const int last = static_cast<int>(std::clamp(std::ceil(high) + 1, -1.0, most));
    rebuildSide(ChartSide::Left, first, last);
    rebuildSide(ChartSide::Right, first, last);
    rebuildMarks(low, high);
}

// Like the points, only the marks in the window become lines of the
// library; the lines are kept and reused as the window moves.
void Chart::rebuildMarks(double low, double high)
{
    std::size_t used = 0;
    const std::vector<double> &marks = m_graph->marks();
    for (std::size_t index = 0; index < marks.size(); ++index) {
        const double x = marks[index];
        if (x < low || x > high)
            continue;
        if (used == m_markLines.size()) {
            auto *line = new QCPItemStraightLine(m_plot);
            line->setLayer(QStringLiteral("grid"));
            line->setSelectable(false);
            for (QCPItemPosition *end : { line->point1, line->point2 }) {
                end->setAxes(m_plot->xAxis, m_plot->yAxis);
                end->setAxisRect(m_plot->axisRect());
                end->setTypeX(QCPItemPosition::ptPlotCoords);
                end->setTypeY(QCPItemPosition::ptAxisRectRatio);
            }
            m_markLines.push_back(line);
        }
        QCPItemStraightLine *line = m_markLines[used++];
        line->setPen(m_graph->markKind(index) == MarkKind::RunStart ? QPen(RunStartColour, 1, Qt::SolidLine)
                                                                    : QPen(MarkColour, 1, Qt::DashLine));
        line->point1->setCoords(x, 0);
        line->point2->setCoords(x, 1);
        line->setVisible(true);
    }
    for (std::size_t i = used; i < m_markLines.size(); ++i)
        m_markLines[i]->setVisible(false);
    m_marksShown = static_cast<int>(used);
}

void Chart::rebuildSide(ChartSide side, int first, int last)
{
    const SeriesStore &series = m_graph->series(side);
    last = std::min(last, series.count() - 1);
    std::array<QVector<QCPGraphData>, 3> data;
    std::array<int, 3> lastAdded = { -2, -2, -2 };
    constexpr double gap = std::numeric_limits<double>::quiet_NaN();
    for (int x = std::max(first, 0) + 1; x <= last; ++x) {
        if (series.isNull(x) || series.isNull(x - 1))
            continue;
        const size_t slot = ColourSlot(series.colour(x));
        QVector<QCPGraphData> &points = data[slot];
        if (lastAdded[slot] != x - 1) {
            if (!points.isEmpty())
                points.append(QCPGraphData(x - 0.5, gap));
            points.append(QCPGraphData(x - 1, series.value(x - 1)));
        }
        points.append(QCPGraphData(x, series.value(x)));
        lastAdded[slot] = x;
    }
    for (size_t slot = 0; slot < 3; ++slot)
        m_graphs[static_cast<size_t>(side)][slot]->data()->set(data[slot], true);
}

// Labels are made from the points' moments only for the positions that are
// drawn, every k-th point, so that labels keep the spacing's gap. As the
// window moves by a point per sample most labels stay: their texts are kept
// from the last drawing on screen, and the axis keeps the pictures of twice
// as many labels as are drawn there, for the library draws a label it still
// holds by a copy.
void Chart::rebuildLabels(int plotWidth, bool onScreen)
{
    const SeriesStore &left = m_graph->series(ChartSide::Left);
    const SeriesStore &series = left.count() > 0 ? left : m_graph->series(ChartSide::Right);
    QVector<double> ticks;
    QVector<QString> labels;
    QHash<int, QString> texts;
    const bool reuse = m_labelSource == &series;
    const double low = m_graph->minimum(ChartAxis::Bottom);
    const double high = m_graph->maximum(ChartAxis::Bottom);
    const double span = high - low;
    if (series.count() > 0 && span > 0 && high >= 0) {
        const int lines = series.labelForm(series.count() - 1) == LabelForm::DayAndTime ? 2 : 1;
        const double extent = LabelLineHeight() * lines;
        const double step = extent * (1 + m_graph->labelSpacing() / 100.0);
        const double perPoint = std::max(plotWidth, 50) / span;
        const double every = std::max({ 1.0, std::ceil(step / perPoint), std::ceil(span / MostLabels) });
        const auto k = static_cast<qint64>(std::min(every, 1e9));
        const qint64 firstX = static_cast<qint64>(std::ceil(std::max(low, 0.0) / k)) * k;
        const qint64 lastX = std::min<qint64>(static_cast<qint64>(std::floor(high)), series.count() - 1);
        for (qint64 x = firstX; x <= lastX; x += k) {
            const int point = static_cast<int>(x);
            const auto kept = reuse ? m_labelTexts.constFind(point) : m_labelTexts.constEnd();
            const QString text
                = kept != m_labelTexts.constEnd() ? *kept : series.label(point).replace(QChar(13), QChar(10));
            ticks.append(static_cast<double>(x));
            labels.append(text);
            if (onScreen)
                texts.insert(point, text);
        }
    }
    if (onScreen) {
        m_labelTexts = std::move(texts);
        m_labelSource = &series;
        KeepTickLabelPictures(m_plot->xAxis, 2 * static_cast<int>(ticks.size()));
    }
    m_ticker->setTicks(ticks, labels);
}

int Chart::pointsHandedOver(ChartSide side) const
{
    int points = 0;
    for (const QCPGraph *graph : m_graphs[static_cast<size_t>(side)])
        points += graph->data()->size();
    return points;
}

QImage Chart::renderImage(const QSize &size)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    // The plotting area of the image is the image less the room the axes
    // take beside it now, or a typical room before the graph was ever laid out.
    const int laidOut = m_plot->axisRect()->width();
    const int axesRoom = laidOut > 0 ? m_plot->width() - laidOut : 130;
    const QMap<double, QString> shownLabels = m_ticker->ticks();
    applyDepth(image.height());
    rebuildVisibleData();
    rebuildLabels(image.width() - axesRoom, false);
    QCPPainter painter(&image);
    m_plot->toPainter(&painter, image.width(), image.height());
    applyDepth(height());
    // A shown graph is painted from its layout and labels as they stand:
    // it takes back those of the screen.
    if (isVisible()) {
        m_ticker->setTicks(shownLabels);
        m_plot->layOut();
    }
    return image;
}

QImage Chart::renderShown()
{
    return renderImage(size().isEmpty() ? QSize(640, 480) : size());
}

void Chart::copyToClipboard()
{
    QGuiApplication::clipboard()->setImage(renderShown());
}

QWidget *Chart::mouseSurface() const
{
    return m_plot;
}

void Chart::onMousePress(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    emit pressed(this, event->button(), pos, event->modifiers());
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_dragFrom = pos;
    }
}

// A left-button drag over the graph shifts each axis the panning mode lets
// move by the value under the previous position less the value under the
// new one. The whole graph counts, axis bands included, since a press beside
// an axis is how an axis is dragged; leaving the graph ends the drag.
void Chart::onMouseMove(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    emit mouseMoved(this, pos);
    if (!m_dragging || !(event->buttons() & Qt::LeftButton))
        return;
    if (!m_plot->rect().contains(pos)) {
        m_dragging = false;
        return;
    }
    bool shifted = false;
    const auto shift = [&](ChartAxis axis, double from, double to) {
        QCPAxis *library = plotAxis(axis);
        const double delta = library->pixelToCoord(from) - library->pixelToCoord(to);
        if (delta == 0 || !std::isfinite(delta))
            return;
        SetRangeSafely(*this, axis, minimum(axis) + delta, maximum(axis) + delta);
        shifted = true;
    };
    const PanMode pan = m_graph->panMode();
    if (pan == PanMode::Horizontal || pan == PanMode::Both)
        shift(ChartAxis::Bottom, m_dragFrom.x(), pos.x());
    if (pan == PanMode::Vertical || pan == PanMode::Both) {
        shift(ChartAxis::Left, m_dragFrom.y(), pos.y());
        shift(ChartAxis::Right, m_dragFrom.y(), pos.y());
    }
    m_dragFrom = pos;
    if (shifted)
        emit scrolled(this, event->globalPosition().toPoint());
}

void Chart::onMouseRelease(QMouseEvent *event)
{
    m_dragging = false;
    emit released(this, event->button(), event->globalPosition().toPoint());
}
