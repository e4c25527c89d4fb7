#include "graphs/chart.h"
#include "graphs/graph_model.h"
#include "shell/windows/line_events_window.h"
#include "shell/windows/main_window.h"
#include "support/fixture_pages.h"
#include "support/main_window_fixture.h"
#include "support/qt_printers.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QMenu>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

class LineEventsWindowTest : public MainWindowFixture {
protected:
    void load(bool statisticsPage)
    {
        clock.advanceSeconds(30);
        view->complete(FakeDocument(StatsDocumentUrl,
            statisticsPage ? FixturePage(QStringLiteral("hub-a-statistics.html"))
                           : QStringLiteral("<h1>This site can't be reached</h1>")));
    }
};

TEST_F(LineEventsWindowTest, EventsAreListedNewestFirstCountedAndMarkedOnTheNoiseMarginGraph)
{
    open(typeA());
    load(true);
    load(true);
    load(false);
    load(true);

    // The File menu's item, in its own group above "Exit".
    const QList<QAction *> items = window->File1->actions();
    const qsizetype at = items.indexOf(window->mnuLineEvents);
    ASSERT_GE(at, 1);
    EXPECT_EQ(window->mnuLineEvents->text(), QStringLiteral("Line Events..."));
    EXPECT_TRUE(items[at - 1]->isSeparator());
    EXPECT_EQ(items[at + 2]->text(), QStringLiteral("Exit"));

    LineEventsWindow &events = *window->FormLineEvents;
    events.refresh();
    ASSERT_EQ(events.tblEvents->rowCount(), 2);
    EXPECT_EQ(events.tblEvents->item(0, 0)->text(), QStringLiteral("Wed 09 Dec 2026  10:02:00"));
    EXPECT_EQ(events.tblEvents->item(0, 1)->text(), QStringLiteral("Router answering"));
    EXPECT_EQ(events.tblEvents->item(1, 1)->text(), QStringLiteral("Router not answering"));
    const int silent = int(LineEventKind::RouterSilent);
    EXPECT_EQ(events.tblCounts->item(silent, 0)->text(), QStringLiteral("Router not answering"));
    EXPECT_EQ(events.tblCounts->item(silent, 1)->text(), QStringLiteral("1"));
    EXPECT_EQ(events.tblCounts->item(int(LineEventKind::Resync), 2)->text(), QStringLiteral("0"));

    const GraphModel &graphs = monitor->graphs();
    EXPECT_EQ(graphs.graph(1).marks(), (std::vector<double> { 2, 3 }));
    EXPECT_TRUE(graphs.graph(5).marks().empty()); // the web image stays as it was
    // Logging is off by default: no events file either.
    EXPECT_FALSE(QFileInfo::exists(data.filePath(QStringLiteral("events.txt"))));
}

// The notification option shows on this window and on the Advanced tab; a
// click on either shows in the other at once and is what the file keeps.
TEST_F(LineEventsWindowTest, TheNotificationOptionIsOneKeyOnTwoBoxesInStep)
{
    const QString caption
        = QStringLiteral("Tell me when the line drops, comes back, resyncs or the router stops answering");
    const struct {
        bool stored;
        bool clickEventsWindow; // else the Advanced tab's box
    } cases[] = { { true, true }, { false, false }, { false, true } };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "stored " << c.stored << " events window " << c.clickEventsWindow);
        Settings settings = typeA();
        settings.setFlag(SettingKey::NotifyEvents, c.stored);
        open(settings);
        QCheckBox *onTab = window->cbNotifyEvents;
        QCheckBox *onEvents = window->FormLineEvents->cbNotifyEvents;
        EXPECT_EQ(onTab->text(), caption);
        EXPECT_EQ(onEvents->text(), caption);
        EXPECT_EQ(onTab->isChecked(), c.stored);
        EXPECT_EQ(onEvents->isChecked(), c.stored);

        (c.clickEventsWindow ? onEvents : onTab)->click();
        EXPECT_EQ(onTab->isChecked(), !c.stored);
        EXPECT_EQ(onEvents->isChecked(), !c.stored);
        ASSERT_TRUE(window->SaveIni());
        EXPECT_EQ(saved().flag(SettingKey::NotifyEvents), !c.stored);
    }
}

} // namespace
