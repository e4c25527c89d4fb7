// The graphs filled from the line's history before sampling starts.
#include "graphs/graph_model.h"

#include "graphs/user_graph_rules.h"
#include "sampling/history_record.h"
#include "sampling/line_sample.h"

#include <QSignalBlocker>

#include <algorithm>

namespace {

constexpr qint64 kHourSeconds = 3600;

// The stored samples that can be placed in time, oldest first; records of
// one moment keep their stored order.
std::vector<const HistoryRecord *> InTimeOrder(const std::vector<HistoryRecord> &records)
{
    std::vector<const HistoryRecord *> ordered;
    ordered.reserve(records.size());
    for (const HistoryRecord &record : records)
        if (record.moment.isValid())
            ordered.push_back(&record);
    const auto earlier = [](const HistoryRecord *a, const HistoryRecord *b) { return a->moment < b->moment; };
    if (!std::is_sorted(ordered.begin(), ordered.end(), earlier))
        std::stable_sort(ordered.begin(), ordered.end(), earlier);
    return ordered;
}

// One user figure's values in a record: nothing when the record lacks it.
const HistoryRecord::Figure *FigureIn(const HistoryRecord &record, UserFigure figure)
{
    const auto found = std::find_if(record.figures.begin(), record.figures.end(),
        [figure](const HistoryRecord::Figure &f) { return f.figure == figure; });
    return found == record.figures.end() ? nullptr : &*found;
}

// The hours of error counting as the history runs through them: the first
// record starts an hour, and each whole hour after it starts the next, as
// the hour timer would have had the program run all along.
class HistoryHours {
public:
    // True when the record's moment lies in a later hour than the last one.
    bool newHour(const QDateTime &moment)
    {
        const qint64 seconds = moment.toSecsSinceEpoch();
        if (!m_started) {
            m_started = true;
            m_hourStart = seconds;
            return true;
        }
        if (seconds - m_hourStart < kHourSeconds)
            return false;
        m_hourStart += (seconds - m_hourStart) / kHourSeconds * kHourSeconds;
        return true;
    }

private:
    bool m_started = false;
    qint64 m_hourStart = 0;
};

// The user figure of one graph as the readers would have put it into the
// sample: the record's values, or 0 when it lacks them. A value found takes
// the hour baselines still at 0; in last-hour mode a value not found plots
// 0 rather than a fall below the baseline.
void FillUserFigure(const HistoryRecord &record, UserFigure figure, bool lastHour, double &up, double &down,
    double &upBase, double &downBase)
{
    const HistoryRecord::Figure *values
        = figure == UserFigure::None || !record.statisticsPage ? nullptr : FigureIn(record, figure);
    up = values ? values->up : 0;
    down = values ? values->down : 0;
    if (values) {
        TakeBaseline(upBase, up);
        TakeBaseline(downBase, down);
    } else if (lastHour) {
        up = upBase;
        down = downBase;
    }
}

} // namespace

void GraphModel::plotHistory(const std::vector<HistoryRecord> &records)
{
    const std::vector<const HistoryRecord *> ordered = InTimeOrder(records);
    if (ordered.empty())
        return;

    // Nothing is drawn while the history goes in; each graph reports one
    // change at the end.
    std::vector<QSignalBlocker> quiet;
    quiet.reserve(m_graphs.size());
    for (TimeGraph *graph : m_graphs)
        quiet.emplace_back(graph);

    setLabelSpacing();
    const bool lastHour1 = user(1).inLastHourMode();
    const bool lastHour2 = user(2).inLastHourMode();
    HistoryHours hours;
    LineSample sample;
    for (const HistoryRecord *record : ordered) {
        if (hours.newHour(record->moment))
            sample.clearBaselines();
        // A load that was not the statistics page plots as it did live:
        // no margins, no speeds.
        const bool read = record->statisticsPage;
        sample.noiseMarginUp = read ? record->noiseMarginUp : 0;
        sample.noiseMarginDown = read ? record->noiseMarginDown : 0;
        sample.speedUp = read ? record->speedUp : 0;
        sample.speedDown = read ? record->speedDown : 0;
        FillUserFigure(*record, user(1).figure, lastHour1, sample.user1Up, sample.user1Down,
            sample.user1UpBase, sample.user1DownBase);
        FillUserFigure(*record, user(2).figure, lastHour2, sample.user2Up, sample.user2Down,
            sample.user2UpBase, sample.user2DownBase);
        plotPoints(sample, record->moment);
    }
    followNewestPoint();
    // Halfway between the newest stored sample and the first of this run.
    for (int number = 1; number <= 4; ++number)
        graph(number).addMark(m_plotCount - 0.5, MarkKind::RunStart);

    quiet.clear();
    for (TimeGraph *graph : m_graphs)
        emit graph->changed();
}
