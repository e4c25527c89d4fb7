#include "base/settings.h"
#include "graphs/graph_settings.h"
#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <gtest/gtest.h>

namespace {

Settings MakeSettings()
{
    return Settings(SettingsContext { QStringLiteral("/opt/lw"), nullptr, QSize(1920, 1080), QLocale::c() });
}

TEST(GraphSettings, DefaultsOfTheSettingsFileGiveTheGraphsTheirStartState)
{
    const GraphSettings graphs = GraphSettingsFrom(MakeSettings());
    EXPECT_EQ(graphs.sample, 30);
    EXPECT_EQ(graphs.pointsPerPage, 480);
    EXPECT_EQ(graphs.user1, 4);
    EXPECT_EQ(graphs.user2, 5);
    EXPECT_TRUE(graphs.total1);
    EXPECT_FALSE(graphs.saveAxes);
    EXPECT_EQ(graphs.threeD, QStringLiteral("00000"));
    EXPECT_TRUE(graphs.dateStamp);
    EXPECT_EQ(graphs.axes[0].leftMin, -2);
    EXPECT_EQ(graphs.axes[1].rightMax, 20);
}

TEST(GraphSettings, AxisLimitsSurviveASaveAndLoadOnlyWithSaveAxes)
{
    TempDataDir dir;
    const QString ini = dir.filePath(QStringLiteral("linewarden.ini"));
    GraphSettings graphs;
    graphs.axes[1] = AxisLimitSet { 7700, 627, 0, -3 };
    graphs.threeD = QStringLiteral("10010");

    graphs.saveAxes = true;
    Settings settings = MakeSettings();
    settings.setText(SettingKey::webWidth, QStringLiteral("wide"));
    StoreGraphSettings(graphs, settings);
    ASSERT_TRUE(settings.SaveIni(ini));

    Settings reloaded = MakeSettings();
    ASSERT_TRUE(reloaded.Load(ini));
    const GraphSettings back = GraphSettingsFrom(reloaded);
    EXPECT_EQ(back.axes[1].leftMax, 7700);
    EXPECT_EQ(back.axes[1].rightMin, -3);
    EXPECT_EQ(back.threeD, QStringLiteral("10010"));
    EXPECT_EQ(back.webWidth, 500);

    Settings off = MakeSettings();
    graphs.saveAxes = false;
    graphs.axes[1].leftMax = 1;
    StoreGraphSettings(graphs, off);
    EXPECT_EQ(off.integer(SettingKey::C2Lx), 20);
}

} // namespace
