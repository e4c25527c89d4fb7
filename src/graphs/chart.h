#pragma once

#include "graphs/chart_axes.h"
#include "graphs/plain_chart_axes.h"
#include "graphs/series_store.h"

#include <QImage>
#include <QPoint>
#include <QSharedPointer>
#include <QWidget>

#include <array>
#include <vector>

class QCustomPlot;
class QCPGraph;
class QCPItemStraightLine;
class QCPAxis;
class QCPAxisTickerText;
class QCPLayerable;
class QMouseEvent;

// The two line series of a graph: upstream against the left axis,
// downstream against the right axis.
enum class ChartSide { Left = 0, Right = 1 };

// The time graph widget the rest of the program talks to; the plot library
// stays behind it. The graph keeps every point in its own compact storage
// and hands the library only the points of the window being shown, rebuilt
// when the window or the data change. Changes are drawn at most once per
// event-loop turn.
//
// Axis setters refuse a minimum above the maximum by throwing AxisRefused.
// A left-button drag shifts the axes the panning mode allows, keeping the
// value under the pointer under it, and reports every shift as scrolled().
class Chart final : public QWidget, public ChartAxes {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Chart)

public:
    explicit Chart(QWidget *parent = nullptr);
    ~Chart() override;

    double minimum(ChartAxis axis) const override;
    double maximum(ChartAxis axis) const override;
    void setMinimum(ChartAxis axis, double value) override;
    void setMaximum(ChartAxis axis, double value) override;

    // Adds a point at the next x of the series; PointColour::None adds a
    // null point, a gap in the line. The segment that ends at a point takes
    // that point's colour.
    void addPoint(ChartSide side, double value, const QDateTime &moment, LabelForm form, PointColour colour);
    // Changes the first point's value; false when the series is empty.
    bool setFirstValue(ChartSide side, double value);
    const SeriesStore &series(ChartSide side) const;

    // A vertical line across the plot at a position of the bottom axis, in
    // a quiet colour behind the series; it moves with the window.
    void addMark(double x);
    const std::vector<double> &marks() const { return m_marks; }
    // The marks the window shows now, as last drawn.
    int marksShown() const { return m_marksShown; }

    void setAxisTitle(ChartAxis axis, const QString &title);
    QString axisTitle(ChartAxis axis) const;

    // The least gap between bottom-axis labels, in percent of a label's size.
    void setLabelSpacing(int percent);
    int labelSpacing() const { return m_labelSpacing; }

    void setPanMode(PanMode mode) { m_panMode = mode; }
    PanMode panMode() const { return m_panMode; }

    // The 3-D look: walls drawn behind the plot with a depth of 8 %.
    void set3D(bool on);
    bool is3D() const { return m_3D; }

    // The library's own points-per-page setting; kept for completeness, it
    // never decides what is shown.
    void setPointsPerPage(int points) { m_pointsPerPage = points; }
    int pointsPerPage() const { return m_pointsPerPage; }

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
    void scheduleRefresh();
    void queuedRefresh();
    void rebuildVisibleData();
    void rebuildSide(ChartSide side, int first, int last);
    void rebuildMarks(double low, double high);
    void rebuildLabels(int plotWidth);
    void syncAxis(ChartAxis axis);
    void applyDepth(int drawnHeight);
    QCPAxis *plotAxis(ChartAxis axis) const;

    void onMousePress(QMouseEvent *event);
    void onMouseMove(QMouseEvent *event);
    void onMouseRelease(QMouseEvent *event);

    QCustomPlot *m_plot = nullptr; // Qt child of this widget
    QCPLayerable *m_walls = nullptr; // owned by m_plot
    std::array<std::array<QCPGraph *, 3>, 2> m_graphs {}; // per side: blue, maroon, grey; owned by m_plot
    QSharedPointer<QCPAxisTickerText> m_ticker;

    std::vector<double> m_marks; // in the order added
    std::vector<QCPItemStraightLine *> m_markLines; // drawn ones first; owned by m_plot
    int m_marksShown = 0;

    PlainChartAxes m_axes;
    std::array<SeriesStore, 2> m_series;
    int m_labelSpacing = 30;
    PanMode m_panMode = PanMode::None;
    bool m_3D = false;
    int m_pointsPerPage = 0;

    bool m_refreshPending = false;
    int m_replotCount = 0;

    bool m_dragging = false;
    QPoint m_dragFrom;
};
