// The graphs filled from the line's history before sampling starts: every
// stored sample lands where a live one would, with its colours, labels and
// axis rules, and the visible graphs mark where this run begins.
#include "base/settings.h"
#include "base/settings_bindings.h"
#include "graphs/graph_model.h"
#include "sampling/history_record.h"
#include "sampling/line_sample.h"
#include "support/fake_clock.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace {

const QDateTime Start(QDate(2026, 12, 9), QTime(10, 0, 0), Qt::UTC);

HistoryRecord Read(qint64 seconds, double marginUp, double marginDown, double speedUp, double speedDown,
    std::vector<HistoryRecord::Figure> figures = {})
{
    HistoryRecord record;
    record.moment = Start.addSecs(seconds);
    record.noiseMarginUp = marginUp;
    record.noiseMarginDown = marginDown;
    record.speedUp = speedUp;
    record.speedDown = speedDown;
    record.statisticsPage = true;
    record.figures = std::move(figures);
    return record;
}

// A load that was not the statistics page; what it kept of the figures
// must not show.
HistoryRecord NotRead(qint64 seconds)
{
    HistoryRecord record = Read(seconds, 5, 5, 5, 5, { { UserFigure::CrcErrors, 9, 9 } });
    record.statisticsPage = false;
    return record;
}

HistoryRecord::Figure Crc(double up, double down)
{
    return { UserFigure::CrcErrors, up, down };
}

struct PointIs {
    int graph;
    ChartSide side;
    int x;
    double value;
    PointColour colour;
};

struct AxisIs {
    int graph;
    ChartAxis axis;
    double minimum;
    double maximum;
};

struct FillCase {
    const char *name;
    std::function<void(Settings &)> configure;
    std::vector<HistoryRecord> records;
    int plotCount;
    std::pair<double, double> window; // of every graph
    PanMode pan;
    int labelSpacing; // of the visible graphs
    LabelForm form; // of the visible graphs' points; the web graph's show the time only
    std::vector<PointIs> points;
    std::vector<AxisIs> axes;
};

void PrintTo(const FillCase &c, std::ostream *out)
{
    *out << c.name;
}

class GraphModelHistoryTest : public ::testing::TestWithParam<FillCase> {
protected:
    void start(const std::function<void(Settings &)> &configure)
    {
        if (configure)
            configure(settings);
        SettingsBindings bindings;
        model.bindSettings(bindings);
        bindings.applyInLoadOrder();
        model.startUp();
    }

    FakeClock clock { Start.addDays(1) };
    Settings settings { SettingsContext { QStringLiteral("/opt/lw"), &clock, QRect(), QLocale::c() } };
    GraphModel model { clock, settings };
};

TEST_P(GraphModelHistoryTest, PlotsEveryRecordAsALiveSampleAndMarksTheRunStart)
{
    const FillCase &c = GetParam();
    start(c.configure);
    int changes = 0;
    QObject::connect(&model.graph(1), &TimeGraph::changed, [&changes] { ++changes; });

    model.plotHistory(c.records);

    EXPECT_EQ(model.PlotCount(), c.plotCount);
    EXPECT_EQ(changes, c.plotCount > 0 ? 1 : 0); // one redraw, not one per point
    for (int number = 1; number <= GraphModel::kGraphCount; ++number) {
        const TimeGraph &graph = model.graph(number);
        SCOPED_TRACE(number);
        EXPECT_EQ(graph.series(ChartSide::Left).count(), c.plotCount);
        EXPECT_EQ(graph.series(ChartSide::Right).count(), c.plotCount);
        EXPECT_EQ(graph.minimum(ChartAxis::Bottom), c.window.first);
        EXPECT_EQ(graph.maximum(ChartAxis::Bottom), c.window.second);
        const bool visible = number <= 4;
        if (c.plotCount > 0) {
            const LabelForm form = visible ? c.form : LabelForm::Time;
            EXPECT_EQ(graph.series(ChartSide::Left).labelForm(c.plotCount - 1), form);
            EXPECT_EQ(graph.series(ChartSide::Left).moment(0), Start); // the oldest first
        }
        // The web image shows no mark; the visible graphs one, between the
        // newest stored sample and the first of this run.
        if (visible && c.plotCount > 0) {
            ASSERT_EQ(graph.marks(), std::vector<double> { c.plotCount - 0.5 });
            EXPECT_EQ(graph.markKind(0), MarkKind::RunStart);
            EXPECT_EQ(graph.panMode(), c.pan);
            EXPECT_EQ(graph.labelSpacing(), c.labelSpacing);
        } else {
            EXPECT_TRUE(graph.marks().empty());
        }
    }
    for (const PointIs &p : c.points) {
        const SeriesStore &series = model.graph(p.graph).series(p.side);
        SCOPED_TRACE(testing::Message() << "graph " << p.graph << " side " << int(p.side) << " x " << p.x);
        ASSERT_LT(p.x, series.count());
        EXPECT_DOUBLE_EQ(series.value(p.x), p.value);
        EXPECT_EQ(series.colour(p.x), p.colour);
    }
    for (const AxisIs &a : c.axes) {
        SCOPED_TRACE(testing::Message() << "graph " << a.graph << " axis " << int(a.axis));
        EXPECT_DOUBLE_EQ(model.graph(a.graph).minimum(a.axis), a.minimum);
        EXPECT_DOUBLE_EQ(model.graph(a.graph).maximum(a.axis), a.maximum);
    }
}

constexpr PointColour Blue = PointColour::Blue;
constexpr PointColour Maroon = PointColour::Maroon;
constexpr PointColour Grey = PointColour::Grey;
constexpr ChartSide Up = ChartSide::Left;
constexpr ChartSide Down = ChartSide::Right;
constexpr ChartAxis LeftAxis = ChartAxis::Left;
constexpr ChartAxis RightAxis = ChartAxis::Right;

std::vector<HistoryRecord> TwelveSamples()
{
    std::vector<HistoryRecord> records;
    for (int i = 0; i < 12; ++i)
        records.push_back(Read(30 * i, 6, 9, 448, 7000, { Crc(i, 10 * i) }));
    return records;
}

const FillCase kCases[] = {
    { "StatisticsAndNotFiguresPresentAndMissingGivenOutOfOrder", nullptr,
        // User-defined graph 1 shows CRC errors, graph 2 HEC errors (the
        // defaults); the first record lacks HEC, the second is no
        // statistics page.
        { Read(60, 60, 12, 500, 8000, { Crc(4, 1005), { UserFigure::HecErrors, 2, 7 } }),
            Read(0, 6.5, 9.5, 448, 7000, { Crc(3, 1000) }), NotRead(30) },
        3, { 0, 480 }, PanMode::Vertical, 30, LabelForm::DayAndTime,
        {
            { 1, Up, 0, 6.5, Blue },
            { 1, Down, 0, 9.5, Maroon },
            { 1, Up, 1, 0, Blue },
            { 1, Down, 1, 0, Maroon },
            { 1, Up, 2, 60, Blue },
            { 5, Up, 2, 60, Blue },
            { 5, Down, 0, 9.5, Maroon },
            { 2, Up, 0, 448, Blue },
            { 2, Down, 1, 0, Maroon },
            { 2, Down, 2, 8000, Maroon },
            { 3, Up, 0, 3, Blue },
            { 3, Down, 0, 1000, Maroon },
            { 3, Down, 1, 0, Maroon },
            { 3, Down, 2, 1005, Maroon },
            { 4, Up, 0, 0, Blue },
            { 4, Down, 0, 0, Maroon },
            { 4, Up, 2, 2, Blue },
            { 4, Down, 2, 7, Maroon },
        },
        {
            { 1, LeftAxis, -2, 50 }, // 60 dB raised by 40 %, capped at 50
            { 1, RightAxis, -2, 13.2 }, // 12 raised by 10 %
            { 5, LeftAxis, -2, 50 },
            { 2, LeftAxis, 0, 627.2 }, // 448 raised by 40 %; 500 is not within 10 % of it
            { 2, RightAxis, 0, 8800 },
            { 3, LeftAxis, 0, 20 },
            { 3, RightAxis, 0, 1105.5 },
            { 4, RightAxis, 0, 20 },
        } },
    { "AFullPageMovesTheWindowAndANoneGraphPlotsGreyZeros",
        [](Settings &s) {
            s.setInteger(SettingKey::PointsperPage, 10);
            s.setInteger(SettingKey::User2, UserFigureIndex(UserFigure::None));
            s.setFlag(SettingKey::DateStamp, false);
        },
        TwelveSamples(), 12, { 2, 12 }, PanMode::Both, 100, LabelForm::Time,
        {
            { 3, Up, 11, 11, Blue },
            { 3, Down, 11, 110, Maroon },
            { 4, Up, 11, 0, Grey },
            { 4, Down, 0, 0, Grey },
        },
        {
            { 4, LeftAxis, 0, 10 },
            { 4, RightAxis, 0, 10 },
            { 3, RightAxis, 0, 121 },
        } },
    { "LastHourModeCountsFromTheFirstReadingOfEachHour",
        [](Settings &s) {
            s.setFlag(SettingKey::Total1, false);
            s.setFlag(SettingKey::LastHour1, true);
        },
        { Read(0, 6, 9, 448, 7000, { Crc(0, 1000) }), Read(30, 6, 9, 448, 7000, { Crc(5, 1003) }),
            NotRead(60), Read(3600, 6, 9, 448, 7000, { Crc(7, 1012) }),
            Read(3630, 6, 9, 448, 7000, { Crc(8, 1015) }) },
        5, { 0, 480 }, PanMode::Vertical, 30, LabelForm::DayAndTime,
        {
            { 3, Down, 0, 0, Maroon },
            { 3, Down, 1, 3, Maroon },
            { 3, Up, 1, 0, Blue }, // the counter was 0: its baseline is taken at 5
            { 3, Up, 2, 0, Blue }, // no statistics page: no errors, not a fall
            { 3, Down, 2, 0, Maroon },
            { 3, Down, 3, 0, Maroon }, // a new hour
            { 3, Down, 4, 3, Maroon },
            { 3, Up, 4, 1, Blue },
        },
        {} },
    { "NoRecordsLeaveTheGraphsAsStarted", nullptr, {}, 0, { 0, 480 }, PanMode::None, 30,
        LabelForm::DayAndTime, {}, { { 1, LeftAxis, -2, 10 }, { 2, RightAxis, 0, 20 } } },
};

INSTANTIATE_TEST_SUITE_P(Fill, GraphModelHistoryTest, ::testing::ValuesIn(kCases),
    [](const auto &info) { return info.param.name; });

// The first sample of this run follows the stored ones, and a line event
// found in it gets its own mark beside the run's start.
TEST_F(GraphModelHistoryTest, TheFirstLiveSampleFollowsTheHistory)
{
    start(nullptr);
    model.plotHistory({ Read(0, 6, 9, 448, 7000), Read(30, 6, 9, 448, 7000) });
    LineSample sample;
    sample.noiseMarginUp = 7;
    model.PlotSample(sample, clock.now());
    model.markLineEvent();
    const TimeGraph &noise = model.graph(1);
    EXPECT_EQ(model.PlotCount(), 3);
    EXPECT_EQ(noise.series(ChartSide::Left).value(2), 7);
    ASSERT_EQ(noise.marks(), (std::vector<double> { 1.5, 2 }));
    EXPECT_EQ(noise.markKind(1), MarkKind::LineEvent);
}

} // namespace
