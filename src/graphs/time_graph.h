#pragma once

#include "graphs/chart_axes.h"
#include "graphs/plain_chart_axes.h"
#include "graphs/series_store.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// The two line series of a graph: upstream against the left axis,
// downstream against the right axis.
enum class ChartSide { Left = 0, Right = 1 };

// What a mark on the time axis stands for: a line event found in a sample,
// or the place where this run's samples follow those shown from history.
enum class MarkKind : std::uint8_t { LineEvent, RunStart };

// One time graph as data: its two series, its axis limits with the refusal
// rule, the marks on its time axis, its axis titles and how it is to look.
// Nothing here draws; a chart widget shows it and follows changed().
//
// Axis setters refuse a minimum above the maximum by throwing AxisRefused.
class TimeGraph final : public QObject, public ChartAxes {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TimeGraph)

public:
    explicit TimeGraph(QObject *parent = nullptr) : QObject(parent) { }

    double minimum(ChartAxis axis) const override { return m_axes.minimum(axis); }
    double maximum(ChartAxis axis) const override { return m_axes.maximum(axis); }
    void setMinimum(ChartAxis axis, double value) override;
    void setMaximum(ChartAxis axis, double value) override;

    // Adds a point at the next x of the series; PointColour::None adds a
    // null point, a gap in the line. The segment that ends at a point takes
    // that point's colour.
    void addPoint(ChartSide side, double value, const QDateTime &moment, LabelForm form, PointColour colour);
    // Changes the first point's value; false when the series is empty.
    bool setFirstValue(ChartSide side, double value);
    const SeriesStore &series(ChartSide side) const { return m_series[static_cast<size_t>(side)]; }

    // A vertical line across the plot at a position of the bottom axis.
    void addMark(double x, MarkKind kind = MarkKind::LineEvent);
    const std::vector<double> &marks() const { return m_marks; }
    // The kind of the mark at an index of marks().
    MarkKind markKind(std::size_t index) const { return m_markKinds.at(index); }

    // The titles of the value axes (the bottom axis has none).
    void setAxisTitle(ChartAxis axis, const QString &title);
    QString axisTitle(ChartAxis axis) const;

    // The least gap between bottom-axis labels, in percent of a label's size.
    void setLabelSpacing(int percent);
    int labelSpacing() const { return m_labelSpacing; }

    // In which directions a mouse drag may shift the axes.
    void setPanMode(PanMode mode) { m_panMode = mode; }
    PanMode panMode() const { return m_panMode; }

    // The 3-D look: walls drawn behind the plot.
    void set3D(bool on);
    bool is3D() const { return m_3D; }

    // The plot library's own points-per-page setting; kept for completeness,
    // it never decides what is shown.
    void setPointsPerPage(int points) { m_pointsPerPage = points; }
    int pointsPerPage() const { return m_pointsPerPage; }

signals:
    // Something a drawing shows changed: points, limits, marks, titles, look.
    void changed();

private:
    PlainChartAxes m_axes;
    std::array<SeriesStore, 2> m_series;
    std::vector<double> m_marks; // in the order added
    std::vector<MarkKind> m_markKinds; // one per mark
    std::array<QString, 2> m_titles;
    int m_labelSpacing = 30;
    PanMode m_panMode = PanMode::None;
    bool m_3D = false;
    int m_pointsPerPage = 0;
};
