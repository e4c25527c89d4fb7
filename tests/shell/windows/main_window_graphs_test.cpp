#include "graphs/chart.h"
#include "graphs/graph_model.h"
#include "graphs/graph_panels.h"
#include "sampling/sample_cycle.h"
#include "shell/windows/main_window.h"
#include "support/main_window_fixture.h"
#include "support/qt_printers.h"

#include <QGroupBox>
#include <QMenuBar>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

// The main window with its graphs, over the fake browser view, on a Type A
// router whose statistics page is already known.
class MainWindowGraphsTest : public MainWindowFixture { };

TEST_F(MainWindowGraphsTest, EverySampleReadWhileRunningIsPlottedOnEveryGraph)
{
    open(typeA());
    completeStatisticsPage(30);
    completeStatisticsPage(30);
    GraphModel &model = monitor->graphs();
    EXPECT_EQ(model.PlotCount(), 2);
    for (int number = 1; number <= GraphModel::kGraphCount; ++number)
        EXPECT_EQ(model.graph(number).series(ChartSide::Right).count(), 2);
    GraphPanels &graphs = window->graphs();
    EXPECT_EQ(graphs.chartOfPage(2)->series(ChartSide::Left).value(1), monitor->sample().speedUp);

    // Paging back pauses sampling; a page read while paused is not plotted.
    graphs.btnChartBack1Click();
    EXPECT_EQ(monitor->cycle().runState(), RunState::Paused);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Linewarden   [Paused]"));
    completeStatisticsPage(30);
    EXPECT_EQ(model.PlotCount(), 2);
}

TEST_F(MainWindowGraphsTest, GraphTabsFollowTheUserDefinedFiguresAndTheWebGraphIsHidden)
{
    Settings settings = typeA();
    settings.setInteger(SettingKey::User1, 0);
    open(settings);
    EXPECT_EQ(window->PageControl1->tabText(3), QStringLiteral("Output Power "));
    EXPECT_EQ(window->PageControl1->tabText(4), QStringLiteral("HEC Errors"));
    EXPECT_EQ(window->PageControl1->widget(1), window->graphs().TabSheet1);
    EXPECT_FALSE(window->PageControl1->isTabVisible(7));
    EXPECT_TRUE(monitor->log().header().endsWith(QStringLiteral("Down HEC Errors")));
    EXPECT_FALSE(monitor->log().headerPending());
}

TEST_F(MainWindowGraphsTest, AxisLimitsAreRestoredAndSavedWhenAsked)
{
    Settings settings = typeA();
    settings.setFlag(SettingKey::SaveAxes, true);
    settings.setInteger(SettingKey::C2Lx, 9000);
    settings.setInteger(SettingKey::C2Rx, 900);
    settings.setInteger(SettingKey::C2L, 100);
    settings.setInteger(SettingKey::C2R, 50);
    open(settings);
    Chart *speed = window->graphs().chartOfPage(2);
    EXPECT_EQ(speed->maximum(ChartAxis::Left), 9000);
    EXPECT_EQ(speed->minimum(ChartAxis::Right), 50);

    speed->setMaximum(ChartAxis::Right, 7700.9);
    window->close();
    const Settings next = saved();
    EXPECT_TRUE(next.flag(SettingKey::SaveAxes));
    EXPECT_EQ(next.integer(SettingKey::C2Rx), 7700);
    EXPECT_EQ(next.integer(SettingKey::C1L), -2);
}

TEST_F(MainWindowGraphsTest, ConfigureMenuOpensTheUserDefinedGraphSettings)
{
    open(typeA());
    QAction *configure = nullptr;
    for (QAction *menu : window->menuBar()->actions()) {
        if (menu->text() == u"Configure" && menu->menu()) {
            for (QAction *item : menu->menu()->actions()) {
                if (item->text() == u"Configure User Defined Graphs...")
                    configure = item;
            }
        }
    }
    ASSERT_NE(configure, nullptr);
    configure->trigger();
    EXPECT_EQ(
        window->PageControl1->tabText(window->PageControl1->currentIndex()), QStringLiteral("Advanced"));
    // The group stays highlighted until the user changes tab.
    const QGroupBox *group = window->graphs().GroupBox4;
    EXPECT_TRUE(group->autoFillBackground());
    EXPECT_EQ(group->palette().color(QPalette::Window), QColor(Qt::white));
    window->PageControl1->setCurrentIndex(1);
    EXPECT_FALSE(group->autoFillBackground());
}

} // namespace
