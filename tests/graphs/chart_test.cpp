#include "graphs/axis_refused.h"
#include "graphs/chart.h"
#include "graphs/graph_cursors.h"
#include "support/qt_printers.h"

#include <QCoreApplication>
#include <QCursor>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>

namespace {

const QDateTime Moment(QDate(2026, 12, 9), QTime(10, 0, 0));

void Add(Chart &chart, int count, PointColour colour = PointColour::Blue)
{
    for (int i = 0; i < count; ++i)
        chart.addPoint(ChartSide::Left, i % 10, Moment.addSecs(30 * i), LabelForm::Time, colour);
}

TEST(Chart, AxisSettersRefuseAMinimumAboveTheMaximum)
{
    Chart chart;
    chart.setMaximum(ChartAxis::Left, 20);
    chart.setMinimum(ChartAxis::Left, 5);
    EXPECT_THROW(chart.setMinimum(ChartAxis::Left, 25), AxisRefused);
    EXPECT_THROW(chart.setMaximum(ChartAxis::Left, 4), AxisRefused);
    EXPECT_EQ(chart.minimum(ChartAxis::Left), 5);
    EXPECT_EQ(chart.maximum(ChartAxis::Left), 20);
}

TEST(Chart, OnlyThePointsOfTheWindowReachThePlot)
{
    Chart chart;
    Add(chart, 100000);
    SetRangeSafely(chart, ChartAxis::Bottom, 50000, 50480);
    chart.refreshNow();
    EXPECT_GE(chart.pointsHandedOver(ChartSide::Left), 481);
    EXPECT_LE(chart.pointsHandedOver(ChartSide::Left), 484);
    EXPECT_EQ(chart.pointsHandedOver(ChartSide::Right), 0);
}

TEST(Chart, ANullPointBreaksTheLineAndColoursFollowTheirPoints)
{
    Chart chart;
    SetRangeSafely(chart, ChartAxis::Bottom, 0, 20);
    Add(chart, 5);
    chart.addPoint(ChartSide::Left, 0, Moment, LabelForm::Time, PointColour::None);
    Add(chart, 5, PointColour::Grey);
    chart.refreshNow();
    // Blue: points 0..4 (one run). Grey: points 6..10; the null point 5 has
    // no segment into or out of it, so nothing else is drawn.
    EXPECT_EQ(chart.pointsHandedOver(ChartSide::Left), 10);
}

TEST(Chart, ChangesWithinOneTurnAreDrawnOnceAndAHiddenChartWhenShown)
{
    Chart chart;
    Add(chart, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(chart.replotCount(), 0);
    chart.show();
    EXPECT_EQ(chart.replotCount(), 1);
    for (int i = 0; i < 50; ++i) {
        Add(chart, 1);
        chart.setMaximum(ChartAxis::Left, 20 + i);
    }
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(chart.replotCount(), 2);
}

// The shown graph is painted whole: the background from white at the top
// to (223, 223, 223) at the bottom, a white plot area, the points given
// while it was hidden; and a picture of another size leaves it as it was.
TEST(Chart, AShownChartPaintsItsPointsOverTheWholeBackgroundAndKeepsThemAfterAPicture)
{
    Chart chart;
    SetRangeSafely(chart, ChartAxis::Bottom, 0, 100);
    SetRangeSafely(chart, ChartAxis::Left, 0, 10);
    for (int i = 0; i <= 100; ++i)
        chart.addPoint(ChartSide::Left, 5, Moment.addSecs(30 * i), LabelForm::Time, PointColour::Blue);
    chart.resize(600, 400);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    chart.refreshNow(); // the labels for the size laid out
    const QImage screen = chart.mouseSurface()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage picture = chart.renderImage(screen.size()).convertToFormat(QImage::Format_RGB32);
    const int bottom = screen.height() - 1;
    for (const int x : { 0, screen.width() - 1 })
        for (const int y : { 0, bottom / 4, bottom / 2, bottom }) {
            const int grey = 255 - (32 * y + bottom / 2) / bottom;
            const QColor pixel = screen.pixelColor(x, y);
            EXPECT_NEAR(pixel.red(), grey, 2) << x << "," << y;
            EXPECT_NEAR(pixel.blue(), grey, 2) << x << "," << y;
            // A capture has the very background the screen has.
            EXPECT_EQ(picture.pixel(x, y), screen.pixel(x, y)) << x << "," << y;
        }
    int lineRow = -1;
    int longest = 0;
    for (int y = 0; y < screen.height(); ++y) {
        int blue = 0;
        for (int x = 0; x < screen.width(); ++x)
            blue += screen.pixel(x, y) == qRgb(0, 0, 255);
        if (blue > longest) {
            longest = blue;
            lineRow = y;
        }
    }
    EXPECT_GT(longest, screen.width() / 2);
    EXPECT_NEAR(lineRow, screen.height() / 2, screen.height() / 8);
    EXPECT_EQ(screen.pixel(screen.width() / 2, lineRow - 10), qRgb(255, 255, 255));

    chart.renderImage(QSize(300, 200));
    EXPECT_EQ(chart.mouseSurface()->grab().toImage().convertToFormat(QImage::Format_RGB32), screen);
}

// Samples that move nothing around the plot area have only the few pixels
// around the newest points painted again, others the whole graph: either
// way the window then shows exactly what a painting of the whole graph
// shows (another chart, given the same points, painted whole). Null
// points, colour changes, both sides, a rescale and a scrolling page
// (only the time axis and the area painted again) included.
TEST(Chart, AfterEverySampleTheWindowShowsTheWholeGraph)
{
    Chart shown;
    Chart whole;
    for (Chart *chart : { &shown, &whole }) {
        SetRangeSafely(*chart, ChartAxis::Bottom, 0, 200);
        SetRangeSafely(*chart, ChartAxis::Left, 0, 10);
        SetRangeSafely(*chart, ChartAxis::Right, 0, 10);
        chart->resize(600, 400);
        chart->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(chart));
    }
    for (int i = 0; i < 40; ++i) {
        const QDateTime moment = Moment.addSecs(30 * i);
        const PointColour colour = i == 12 ? PointColour::None
            : i > 20                       ? PointColour::Grey
                                           : PointColour::Blue;
        for (Chart *chart : { &shown, &whole }) {
            chart->addPoint(ChartSide::Left, (i * 7) % 10, moment, LabelForm::Time, colour);
            chart->addPoint(ChartSide::Right, 9 - (i * 3) % 10, moment, LabelForm::Time, PointColour::Maroon);
            if (i == 25)
                SetRangeSafely(*chart, ChartAxis::Left, 0, 20);
            if (i >= 30)
                SetRangeSafely(*chart, ChartAxis::Bottom, i - 30, i + 170);
            if (i == 35)
                SetRangeSafely(*chart, ChartAxis::Right, 0, 30);
        }
        for (int turn = 0; turn < 3; ++turn)
            QCoreApplication::processEvents(); // laid out, then painted into the window
        const QImage window
            = shown.screen()->grabWindow(shown.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(window, whole.grab().toImage().convertToFormat(QImage::Format_RGB32))
            << "after sample " << i;
    }
}

} // namespace

namespace {

TEST(GraphCursors, SevenHandCursorsOf32PixelsWithTheHotSpotAtEightEight)
{
    const GraphCursors cursors;
    for (int slot : { 1, 3, 4, 5, 6, 7, 8 }) {
        const QCursor cursor = cursors.bySlot(slot);
        EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32)) << slot;
        EXPECT_EQ(cursor.hotSpot(), QPoint(8, 8)) << slot;
    }
    EXPECT_EQ(GraphCursors::nameOfSlot(5), QStringLiteral("cursorN"));
    EXPECT_NE(cursors.byName(QStringLiteral("cursorN")).pixmap().toImage(),
        cursors.byName(QStringLiteral("cursorNS")).pixmap().toImage());
}

TEST(Chart, MarksMoveWithTheWindow)
{
    Chart chart;
    Add(chart, 30);
    for (const double x : { 5.0, 15.0, 25.0 })
        chart.addMark(x);
    const struct {
        double low, high;
        int shown;
    } windows[] = { { 0, 10, 1 }, { 10, 30, 2 }, { 0, 30, 3 }, { 16, 24, 0 }, { 5, 15, 2 } };
    for (const auto &w : windows) {
        SetRangeSafely(chart, ChartAxis::Bottom, w.low, w.high);
        chart.refreshNow();
        EXPECT_EQ(chart.marksShown(), w.shown) << w.low << ".." << w.high;
    }
}

// The line where this run's samples begin is told apart from the line
// events' marks: solid green against dashed pale sand.
TEST(Chart, TheRunStartMarkIsDrawnApartFromLineEventMarks)
{
    Chart chart;
    SetRangeSafely(chart, ChartAxis::Bottom, 0, 10);
    chart.addMark(3, MarkKind::LineEvent);
    chart.addMark(7, MarkKind::RunStart);
    const QImage picture = chart.renderImage(QSize(400, 300));
    const auto columnsOf = [&picture](QColor colour) {
        std::map<int, int> columns; // x, pixels
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QColor pixel = picture.pixelColor(x, y);
                if (std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green())
                        + std::abs(pixel.blue() - colour.blue())
                    < 24)
                    ++columns[x];
            }
        return columns;
    };
    const std::map<int, int> green = columnsOf(QColor(96, 160, 96));
    const std::map<int, int> sand = columnsOf(QColor(214, 184, 140));
    ASSERT_FALSE(green.empty());
    ASSERT_FALSE(sand.empty());
    EXPECT_GT(green.begin()->first, sand.rbegin()->first); // x 7 lies right of x 3
    // Solid: the green line runs further down the plot than the dashed one.
    EXPECT_GT(std::max_element(green.begin(), green.end(), [](auto a, auto b) { return a.second < b.second; })
                  ->second,
        std::max_element(sand.begin(), sand.end(), [](auto a, auto b) { return a.second < b.second; })->second
            * 5 / 4);
}

} // namespace
