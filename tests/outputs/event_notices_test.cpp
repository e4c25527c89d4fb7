// When line events become notices, and what the notices say.
#include "base/settings.h"
#include "outputs/event_notices.h"
#include "outputs/line_event_history.h"
#include "outputs/line_event_notifier.h"
#include "support/fake_clock.h"
#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <gtest/gtest.h>

namespace {

using K = LineEventKind;

LineEvent Event(K kind)
{
    return { QDateTime(), kind, { 5.9, 6.1, 1000, 8000 }, { 5.8, 6.4, 900, 7000 } };
}

// An event at a number of seconds after the first.
struct Timed {
    qint64 second;
    K kind;
};

TEST(EventNotices, OneNoticePerEventAndOneSummaryForAFlappingLine)
{
    const QString unstable = QStringLiteral("Line unstable: 3 events in 10 minutes");
    const struct {
        const char *name;
        std::vector<Timed> events;
        QStringList summaries; // of each event in turn, "" for none
    } cases[] = {
        { "one event", { { 0, K::LineDown } }, { QStringLiteral("Line down") } },
        { "two in ten minutes", { { 0, K::RouterSilent }, { 300, K::RouterBack } },
            { QStringLiteral("Router not answering"), QStringLiteral("Router answering") } },
        { "a third within ten minutes is the summary",
            { { 0, K::LineDown }, { 120, K::LineUp }, { 599, K::Resync } },
            { QStringLiteral("Line down"), QStringLiteral("Line up"), unstable } },
        { "a third ten minutes after the first is not",
            { { 0, K::LineDown }, { 300, K::LineUp }, { 600, K::LineDown } },
            { QStringLiteral("Line down"), QStringLiteral("Line up"), QStringLiteral("Line down") } },
        { "quiet until ten minutes pass without events, then normal",
            { { 0, K::LineDown }, { 60, K::LineUp }, { 120, K::LineDown }, { 300, K::LineUp },
                { 899, K::LineDown }, { 1499, K::LineUp }, { 1500, K::Resync } },
            { QStringLiteral("Line down"), QStringLiteral("Line up"), unstable, QString(), QString(),
                QStringLiteral("Line up"), QStringLiteral("Resync") } },
        { "flapping again after settling gives a new summary",
            { { 0, K::LineDown }, { 10, K::LineUp }, { 20, K::LineDown }, { 700, K::LineUp },
                { 710, K::LineDown }, { 720, K::LineUp }, { 730, K::LineDown } },
            { QStringLiteral("Line down"), QStringLiteral("Line up"), unstable, QStringLiteral("Line up"),
                QStringLiteral("Line down"), unstable, QString() } },
        { "a clock put back starts afresh",
            { { 0, K::LineDown }, { 10, K::LineUp }, { 20, K::LineDown }, { -3600, K::LineUp } },
            { QStringLiteral("Line down"), QStringLiteral("Line up"), unstable, QStringLiteral("Line up") } },
    };
    for (const auto &c : cases) {
        FakeClock clock;
        const QDateTime start = clock.now();
        EventNotices notices(clock, QLocale::c());
        QStringList summaries;
        for (const Timed &timed : c.events) {
            clock.set(start.addSecs(timed.second));
            const std::optional<EventNotice> notice = notices.take(Event(timed.kind));
            summaries << (notice ? notice->summary : QString());
        }
        EXPECT_EQ(summaries, c.summaries) << c.name;
    }
}

TEST(EventNotices, SayWhatHappenedWithTheFiguresUpFirst)
{
    const QLocale british(QLocale::English, QLocale::UnitedKingdom);
    LineEvent drop = Event(K::LineDown);
    drop.after = {};
    const struct {
        EventNotice notice;
        const char *summary;
        const char *body;
        const char *oneLine;
    } cases[] = {
        { LineEventNotice(drop, british), "Line down",
            "Noise margin (up / down): 5.9 / 6.1 dB before, 0 / 0 dB after\n"
            "Sync (up / down): 1,000 / 8,000 Kbps before, 0 / 0 Kbps after",
            "Line down. Noise margin (up / down): 5.9 / 6.1 dB before, 0 / 0 dB after. "
            "Sync (up / down): 1,000 / 8,000 Kbps before, 0 / 0 Kbps after" },
        { LineEventNotice(Event(K::Resync), QLocale::c()), "Resync",
            "Noise margin (up / down): 5.9 / 6.1 dB before, 5.8 / 6.4 dB after\n"
            "Sync (up / down): 1000 / 8000 Kbps before, 900 / 7000 Kbps after",
            "Resync. Noise margin (up / down): 5.9 / 6.1 dB before, 5.8 / 6.4 dB after. "
            "Sync (up / down): 1000 / 8000 Kbps before, 900 / 7000 Kbps after" },
        { UnstableLineNotice(3, K::RouterSilent), "Line unstable: 3 events in 10 minutes",
            "Latest: Router not answering\nNo more notices until 10 minutes pass without an event",
            "Line unstable: 3 events in 10 minutes. Latest: Router not answering. No more notices until "
            "10 minutes pass without an event" },
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.notice.summary, QString::fromUtf8(c.summary));
        EXPECT_EQ(c.notice.body, QString::fromUtf8(c.body));
        EXPECT_EQ(c.notice.oneLine(), QString::fromUtf8(c.oneLine));
    }
}

// Only events while the option is on are told, and only they count towards
// a flapping line.
TEST(LineEventNotifier, TellsTheEventsWhileTheOptionIsOn)
{
    TempDataDir data;
    SettingsContext context;
    context.programFolder = data.path();
    Settings settings(context);
    ASSERT_FALSE(settings.flag(SettingKey::NotifyEvents)); // off unless chosen
    FakeClock clock;
    LineEventHistory history;
    QStringList told;
    LineEventNotifier notifier(history, settings, clock, QLocale::c(),
        [&told](const EventNotice &notice) { told << notice.summary; });

    history.add(Event(K::LineDown));
    history.add(Event(K::LineUp));
    settings.setFlag(SettingKey::NotifyEvents, true);
    history.add(Event(K::LineDown));
    history.add(Event(K::LineUp));
    EXPECT_EQ(told, (QStringList { QStringLiteral("Line down"), QStringLiteral("Line up") }));
    settings.setFlag(SettingKey::NotifyEvents, false);
    history.add(Event(K::Resync));
    EXPECT_EQ(told.size(), 2);
}

} // namespace
