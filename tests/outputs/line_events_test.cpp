#include "outputs/line_events.h"
#include "outputs/line_events_log.h"
#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <gtest/gtest.h>

namespace {

using K = LineEventKind;
const QDateTime Start(QDate(2026, 12, 9), QTime(10, 0, 0));

// One sample: 'S' the statistics page, '-' another page; speeds up/down;
// the router's uptime, -1 when not shown.
struct Step {
    char page;
    double up;
    double down;
    qint64 uptime = -1;
};

LineObservation Observation(const Step &step, int index)
{
    LineObservation o;
    o.moment = Start.addSecs(30 * index);
    o.statisticsPage = step.page == 'S';
    o.figures = { 6.5, 5.5, step.up, step.down };
    if (step.uptime >= 0)
        o.routerUptime = step.uptime;
    return o;
}

TEST(LineEventDetector, FindsTheEventsOfConsecutiveSamples)
{
    const struct {
        const char *name;
        std::vector<Step> steps;
        std::vector<K> events;
    } cases[] = {
        { "the first sample is only the baseline", { { 'S', 0, 0 }, { 'S', 0, 0 } }, {} },
        { "steady line", { { 'S', 1000, 8000, 100 }, { 'S', 1000, 8000, 130 } }, {} },
        { "drop and back", { { 'S', 1000, 8000 }, { 'S', 0, 0 }, { 'S', 0, 0 }, { 'S', 900, 7000 } },
            { K::LineDown, K::LineUp } },
        { "new speeds", { { 'S', 1000, 8000 }, { 'S', 1000, 7500 } }, { K::Resync } },
        { "uptime went back", { { 'S', 1000, 8000, 5000 }, { 'S', 1000, 8000, 20 } }, { K::Resync } },
        { "uptime unknown", { { 'S', 1000, 8000, 5000 }, { 'S', 1000, 8000 } }, {} },
        { "silent and back", { { 'S', 1000, 8000 }, { '-', 0, 0 }, { '-', 0, 0 }, { 'S', 1000, 8000 } },
            { K::RouterSilent, K::RouterBack } },
        { "restarted router",
            { { 'S', 1000, 8000, 5000 }, { '-', 0, 0 }, { 'S', 0, 0, 10 }, { 'S', 1100, 8100, 70 } },
            { K::RouterSilent, K::RouterBack, K::LineDown, K::LineUp } },
        { "back at other speeds", { { 'S', 1000, 8000 }, { '-', 0, 0 }, { 'S', 1000, 6000 } },
            { K::RouterSilent, K::RouterBack, K::Resync } },
        { "silent from the start", { { '-', 0, 0 }, { 'S', 1000, 8000 } }, { K::RouterBack } },
    };
    for (const auto &c : cases) {
        LineEventDetector detector;
        std::vector<K> found;
        for (std::size_t i = 0; i < c.steps.size(); ++i)
            for (const LineEvent &event : detector.observe(Observation(c.steps[i], int(i))))
                found.push_back(event.kind);
        EXPECT_EQ(found, c.events) << c.name;
    }
}

TEST(LineEventDetector, AnEventCarriesItsMomentAndTheFiguresBeforeAndAfter)
{
    LineEventDetector detector;
    detector.observe(Observation({ 'S', 1000, 8000 }, 0));
    detector.observe(Observation({ '-', 0, 0 }, 1));
    const std::vector<LineEvent> events = detector.observe(Observation({ 'S', 1000, 6000 }, 2));
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].moment, Start.addSecs(60));
    EXPECT_EQ(events[0].before.speedDown, 0); // the page that was not the statistics page
    // The line is compared with the last statistics page.
    EXPECT_EQ(events[1].before, (LineEventFigures { 6.5, 5.5, 1000, 8000 }));
    EXPECT_EQ(events[1].after, (LineEventFigures { 6.5, 5.5, 1000, 6000 }));
}

TEST(LineEventCounts, CountTheLastDayAndWeekPerKind)
{
    const QDateTime now = Start;
    std::vector<LineEvent> events;
    for (const qint64 ago : { 3600LL, 86400LL, 86401LL, 7 * 86400LL, 7 * 86400LL + 1, -1LL })
        events.push_back({ now.addSecs(-ago), K::Resync, {}, {} });
    events.push_back({ now, K::LineDown, {}, {} });
    const LineEventCounts counts = CountLineEvents(events, now);
    EXPECT_EQ(counts.lastDay, (LineEventTally { 1, 0, 2, 0, 0 }));
    EXPECT_EQ(counts.lastWeek, (LineEventTally { 1, 0, 4, 0, 0 }));
}

class LineEventsFile : public ::testing::Test {
protected:
    QString logPath() const { return data.filePath(QStringLiteral("log.txt")); }
    QString eventsPath() const { return data.filePath(QStringLiteral("events.txt")); }
    QStringList lines() const
    {
        return QString::fromUtf8(data.readFile(QStringLiteral("events.txt"))).split(QStringLiteral("\r\n"));
    }
    static LineEvent Event(int index, K kind)
    {
        return { Start.addSecs(30 * index), kind, { 6.2, 5.9, 1024, 17984 }, { 6.1, 5.5, 1024, 16000.5 } };
    }

    TempDataDir data;
};

TEST_F(LineEventsFile, HoldsOneCrLfLinePerEventAndReadsBack)
{
    EXPECT_EQ(LineEventsPath(logPath()), eventsPath());
    const QString format = QStringLiteral("ddd dd mmm yyyy  hh:mm:ss");
    ASSERT_TRUE(AppendLineEvent(eventsPath(), LineEventLine(Event(0, K::Resync), format, 8)));
    // A line cut short by a kill is cut off before the next one goes on.
    ASSERT_TRUE(
        data.writeFile(QStringLiteral("events.txt"), data.readFile(QStringLiteral("events.txt")) + "Wed 0"));
    ASSERT_TRUE(AppendLineEvent(eventsPath(), LineEventLine(Event(1, K::RouterSilent), format, 0)));

    const QStringList written = lines();
    ASSERT_EQ(written.size(), 5);
    EXPECT_EQ(written[0], LineEventsHeader());
    EXPECT_EQ(written[1], QString(LineEventsHeader().size(), u'-'));
    EXPECT_EQ(written[2],
        QStringLiteral(
            "Wed 09 Dec 2026  10:00:00, Resync,     6.2,     5.9,    1024,   17984,     6.1,     5.5,"
            "    1024, 16000.5, 2026-12-09T10:00:00Z"));
    EXPECT_TRUE(written[3].startsWith(u"Wed 09 Dec 2026  10:00:30, Router not answering,6.2,5.9,"));
    EXPECT_EQ(written[4], QString());

    const std::vector<LineEvent> read = ReadLineEvents(eventsPath(), 10);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1].moment, Start.addSecs(30));
    EXPECT_EQ(read[1].kind, K::RouterSilent);
    EXPECT_EQ(read[1].after, Event(1, K::RouterSilent).after);
    EXPECT_EQ(ReadLineEvents(eventsPath(), 1).front().kind, K::RouterSilent);

    // An emptied file starts again with its header, so it is still trimmed.
    ASSERT_TRUE(data.writeFile(QStringLiteral("events.txt"), QByteArray()));
    ASSERT_TRUE(AppendLineEvent(eventsPath(), written[2]));
    EXPECT_EQ(lines().first(), LineEventsHeader());

    // Nowhere to write: nothing written, nothing claimed.
    EXPECT_FALSE(AppendLineEvent(data.filePath(QStringLiteral("missing/events.txt")), written[2]));
}

TEST_F(LineEventsFile, IsTrimmedLikeTheLog)
{
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(AppendLineEvent(
            eventsPath(), LineEventLine(Event(i, K::LineDown), QStringLiteral("hh:mm:ss"), 8)));
    EXPECT_TRUE(TrimLineEvents(logPath(), 2).ok);
    const std::vector<LineEvent> kept = ReadLineEvents(eventsPath(), 10);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].moment, Start.addSecs(90));
    EXPECT_EQ(lines()[0], LineEventsHeader());
    EXPECT_TRUE(TrimLineEvents(data.filePath(QStringLiteral("other/log.txt")), 2).ok);
}

} // namespace
