#pragma once

#include "graphs/point_label.h"

#include <QDateTime>

#include <cstdint>
#include <deque>

// The colour of a plotted point; a point without one is a null point, a gap
// in the line.
enum class PointColour : std::uint8_t { None, Blue, Maroon, Grey };

// Every point one line series has received since start-up. A point's x is
// its position: the number of points the series held before it. Each point
// keeps its value, its colour and the moment it was plotted with its label
// form; label texts are made only when drawn. Points are kept in fixed-size
// blocks, so adding one never copies the history and costs 16 bytes.
class SeriesStore {
public:
    void add(double value, const QDateTime &moment, LabelForm form, PointColour colour);

    int count() const { return static_cast<int>(m_points.size()); }
    double value(int x) const { return at(x).value; }
    PointColour colour(int x) const { return at(x).colour; }
    bool isNull(int x) const { return colour(x) == PointColour::None; }
    LabelForm labelForm(int x) const { return at(x).form; }
    QDateTime moment(int x) const;
    QString label(int x, const QLocale &locale = QLocale::system()) const;

    // Changes the value of an existing point; false when there is no point x.
    bool setValue(int x, double value);

private:
    struct Point {
        double value;
        std::int32_t seconds; // from m_baseSeconds
        PointColour colour;
        LabelForm form;
    };
    static_assert(sizeof(Point) == 16, "a point must stay 16 bytes");

    const Point &at(int x) const { return m_points[static_cast<size_t>(x)]; }

    std::deque<Point> m_points;
    qint64 m_baseSeconds = 0; // the moment of the first point, seconds since the epoch
};
