#pragma once

#include "graphs/time_graph.h"

#include <QHash>
#include <QImage>
#include <QPoint>
#include <QSharedPointer>
#include <QWidget>

#include <array>
#include <vector>

class PlotWidget;
class QCPGraph;
class QCPItemStraightLine;
class QCPAxis;
class QCPAxisTickerText;
class QCPLayerable;
class QMouseEvent;

// The widget that draws a time graph; the plot library stays behind it. It
// shows a TimeGraph, its own or one a graph model holds, and hands the
// library only the points of the window being shown, rebuilt when the
// window or the data change. Changes are drawn at most once per event-loop
// turn. What it is asked to change it changes in the graph it shows.
//
// Axis setters refuse a minimum above the maximum by throwing AxisRefused.
// A left-button drag shifts the axes the panning mode allows, keeping the
// value under the pointer under it, and reports every shift as scrolled().
class Chart final : public QWidget, public ChartAxes {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Chart)

public:
    // A chart with a graph of its own.
    explicit Chart(QWidget *parent = nullptr);
    // A chart showing a graph held elsewhere, which outlives it.
    explicit Chart(TimeGraph &graph, QWidget *parent = nullptr);
    ~Chart() override;

    TimeGraph &graph() const { return *m_graph; }

    double minimum(ChartAxis axis) const override;
    double maximum(ChartAxis axis) const override;
    void setMinimum(ChartAxis axis, double value) override;
    void setMaximum(ChartAxis axis, double value) override;

    // Adds a point at the next x of the series; PointColour::None adds a
    // null point, a gap in the line. The segment that ends at a point takes
    // that point's colour.
    void addPoint(ChartSide side, double value, const QDateTime &moment, LabelForm form, PointColour colour)
    {
        m_graph->addPoint(side, value, moment, form, colour);
    }
    // Changes the first point's value; false when the series is empty.
    bool setFirstValue(ChartSide side, double value) { return m_graph->setFirstValue(side, value); }
    const SeriesStore &series(ChartSide side) const { return m_graph->series(side); }

    // A vertical line across the plot at a position of the bottom axis, in
    // a quiet colour behind the series; it moves with the window.
    void addMark(double x, MarkKind kind = MarkKind::LineEvent) { m_graph->addMark(x, kind); }
    const std::vector<double> &marks() const { return m_graph->marks(); }
    // The marks the window shows now, as last drawn.
    int marksShown() const { return m_marksShown; }

    void setAxisTitle(ChartAxis axis, const QString &title) { m_graph->setAxisTitle(axis, title); }
    QString axisTitle(ChartAxis axis) const;

    // The least gap between bottom-axis labels, in percent of a label's size.
    void setLabelSpacing(int percent) { m_graph->setLabelSpacing(percent); }
    int labelSpacing() const { return m_graph->labelSpacing(); }

    void setPanMode(PanMode mode) { m_graph->setPanMode(mode); }
    PanMode panMode() const { return m_graph->panMode(); }

    // The 3-D look: walls drawn behind the plot with a depth of 8 %.
    void set3D(bool on) { m_graph->set3D(on); }
    bool is3D() const { return m_graph->is3D(); }

    // The library's own points-per-page setting; kept for completeness, it
    // never decides what is shown.
    void setPointsPerPage(int points) { m_graph->setPointsPerPage(points); }
    int pointsPerPage() const { return m_graph->pointsPerPage(); }

    // The graph drawn at the given size on a white background.
    QImage renderImage(const QSize &size);
    // The graph drawn at its current on-screen size (a typical size before
    // it was ever laid out) on a white background.
    QImage renderShown();
    // The graph at its current size, put on the clipboard.
    void copyToClipboard();

    // Brings the drawing up to date now instead of at the next turn.
    void refreshNow();
    int replotCount() const { return m_replotCount; }
    // How many points (gap markers included) the plot library holds for a
    // series now: the window's, never the history's.
    int pointsHandedOver(ChartSide side) const;

    // The widget that receives the mouse over the graph.
    QWidget *mouseSurface() const;

signals:
    void pressed(Chart *chart, Qt::MouseButton button, QPoint pos, Qt::KeyboardModifiers modifiers);
    void scrolled(Chart *chart, QPoint globalPos);
    void released(Chart *chart, Qt::MouseButton button, QPoint globalPos);
    void mouseMoved(Chart *chart, QPoint pos);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setUpLook();
    void follow();
    void apply3D();
    void scheduleRefresh();
    void queuedRefresh();
    void rebuildVisibleData();
    void rebuildSide(ChartSide side, int first, int last);
    void rebuildMarks(double low, double high);
    // The labels for a plotting area of the given width; onScreen keeps
    // their texts and pictures for the next drawing.
    void rebuildLabels(int plotWidth, bool onScreen);
    void syncAxes();
    void applyDepth(int drawnHeight);
    QCPAxis *plotAxis(ChartAxis axis) const;

    void onMousePress(QMouseEvent *event);
    void onMouseMove(QMouseEvent *event);
    void onMouseRelease(QMouseEvent *event);

    PlotWidget *m_plot = nullptr; // Qt child of this widget
    QCPLayerable *m_walls = nullptr; // owned by m_plot
    std::array<std::array<QCPGraph *, 3>, 2> m_graphs {}; // per side: blue, maroon, grey; owned by m_plot
    QSharedPointer<QCPAxisTickerText> m_ticker;
    // The bottom-axis label texts last drawn on screen, by x, and the series
    // they were made from: a label that stays in the window is not made again.
    QHash<int, QString> m_labelTexts;
    const SeriesStore *m_labelSource = nullptr;

    TimeGraph *m_graph; // a child of this, or held elsewhere
    std::vector<QCPItemStraightLine *> m_markLines; // drawn ones first; owned by m_plot
    int m_marksShown = 0;

    bool m_3DShown = false;

    bool m_refreshPending = false;
    int m_replotCount = 0;

    bool m_dragging = false;
    QPoint m_dragFrom;
};
