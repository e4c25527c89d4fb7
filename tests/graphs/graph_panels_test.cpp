#include "base/settings_bindings.h"
#include "graphs/chart.h"
#include "graphs/graph_cycle_link.h"
#include "graphs/graph_model.h"
#include "graphs/graph_panels.h"
#include "graphs/plot_step.h"
#include "sampling/sample_cycle.h"
#include "support/fake_browser_view.h"
#include "support/fake_clock.h"
#include "support/qt_printers.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMap>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace {

using Window = std::pair<double, double>;

Window BottomWindow(const Chart *chart)
{
    return { chart->minimum(ChartAxis::Bottom), chart->maximum(ChartAxis::Bottom) };
}

// The graph model and its panels in a window of their own, started with the
// settings the test sets, beside a sample cycle that is running.
class GraphPanelsTest : public ::testing::Test {
protected:
    GraphPanelsTest()
        : settings(SettingsContext { QStringLiteral("/opt/lw"), &clock, QRect(), QLocale::c() }),
          cycle(view, urls, sample, clock)
    {
        cycle.btnRunClick();
    }

    void start()
    {
        window = std::make_unique<QWidget>();
        bindings = SettingsBindings();
        model = std::make_unique<GraphModel>(clock, settings);
        LinkGraphsToSampling(*model, cycle, sample);
        graphs = new GraphPanels(*model, window.get());
        QObject::connect(
            model.get(), &GraphModel::userFiguresChosen, [this](UserFigure user1, UserFigure user2) {
                chosen = { user1, user2 };
            });
        QObject::connect(model.get(), &GraphModel::userFigureChanged, [this] { ++figureChanges; });
        QObject::connect(model.get(), &GraphModel::tabCaptionChanged,
            [this](int page, const QString &caption) { captions[page] = caption; });
        model->bindSettings(bindings);
        bindings.applyInLoadOrder();
        model->startUp();
        web = std::make_unique<Chart>(model->graph(5));
    }

    void setAxes(int graph, const AxisLimitSet &limits)
    {
        settings.setFlag(SettingKey::SaveAxes, true);
        settings.setInteger(AxisKey(graph, AxisSide::Left, AxisLimit::Maximum), limits.leftMax);
        settings.setInteger(AxisKey(graph, AxisSide::Right, AxisLimit::Maximum), limits.rightMax);
        settings.setInteger(AxisKey(graph, AxisSide::Left, AxisLimit::Minimum), limits.leftMin);
        settings.setInteger(AxisKey(graph, AxisSide::Right, AxisLimit::Minimum), limits.rightMin);
    }

    bool running() const { return cycle.runState() == RunState::Running; }

    // Shows one graph page filling an 800 by 600 window.
    Chart *show(int page)
    {
        QWidget *sheet = page == 1 ? graphs->TabSheet1
            : page == 2            ? graphs->TabSheet2
            : page == 3            ? graphs->TabSheet6
                                   : graphs->TabSheet7;
        auto *layout = new QVBoxLayout(window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(sheet);
        window->resize(800, 600);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        Chart *chart = graphs->chartOfPage(page);
        chart->refreshNow();
        return chart;
    }

    void plot(int samples)
    {
        for (int i = 0; i < samples; ++i) {
            clock.advanceSeconds(30);
            model->setLabelSpacing();
            model->PlotSample(sample, clock.now());
        }
    }

    void send(Chart *chart, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons,
        Qt::KeyboardModifiers modifiers = {})
    {
        QWidget *surface = chart->mouseSurface();
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(pos), QPointF(surface->mapToGlobal(pos)), button, buttons, modifiers);
        QCoreApplication::sendEvent(surface, &event);
    }

    // A left-button drag from one point to another, in steps.
    void drag(Chart *chart, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {})
    {
        send(chart, QEvent::MouseButtonPress, from, Qt::LeftButton, modifiers);
        for (int step = 1; step <= 4; ++step)
            send(chart, QEvent::MouseMove, from + (to - from) * step / 4, Qt::LeftButton, modifiers);
        send(chart, QEvent::MouseButtonRelease, to, Qt::NoButton, modifiers);
    }

    FakeClock clock;
    FakeBrowserView view;
    NavigationUrls urls;
    LineSample sample;
    Settings settings;
    SettingsBindings bindings;
    SampleCycle cycle;
    std::unique_ptr<QWidget> window;
    std::unique_ptr<GraphModel> model;
    GraphPanels *graphs = nullptr; // child of window
    std::unique_ptr<Chart> web; // the web graph, drawn on its own
    QMap<int, QString> captions;
    std::pair<UserFigure, UserFigure> chosen { UserFigure::None, UserFigure::None };
    int figureChanges = 0;
};

TEST_F(GraphPanelsTest, FirstSampleSitsAtTheLeftOfTheFirstPage)
{
    sample.noiseMarginUp = 6.2;
    start();
    plot(1);
    EXPECT_EQ(model->PlotCount(), 1);
    for (Chart *chart : { graphs->chartOfPage(1), graphs->chartOfPage(2), graphs->chartOfPage(3),
             graphs->chartOfPage(4), web.get() }) {
        EXPECT_EQ(chart->series(ChartSide::Left).count(), 1);
        EXPECT_EQ(BottomWindow(chart), Window(0, 480));
    }
    EXPECT_EQ(graphs->chartOfPage(1)->series(ChartSide::Left).value(0), 6.2);
    EXPECT_EQ(graphs->chartOfPage(1)->series(ChartSide::Left).labelForm(0), LabelForm::DayAndTime);
    EXPECT_EQ(web.get()->series(ChartSide::Left).labelForm(0), LabelForm::Time);
    EXPECT_EQ(graphs->Panel5->text(), QStringLiteral("(4 hr : 0 min per page)"));
}

TEST_F(GraphPanelsTest, GraphsScrollOnceTheFirstPageIsFullAndAllowHorizontalDraggingFiveBefore)
{
    start();
    plot(475);
    EXPECT_EQ(graphs->chartOfPage(1)->panMode(), PanMode::Vertical);
    plot(1);
    EXPECT_EQ(graphs->chartOfPage(4)->panMode(), PanMode::Both);
    plot(5);
    EXPECT_EQ(model->PlotCount(), 481);
    for (Chart *chart : { graphs->chartOfPage(1), graphs->chartOfPage(2), graphs->chartOfPage(3),
             graphs->chartOfPage(4), web.get() })
        EXPECT_EQ(BottomWindow(chart), Window(1, 481));
    EXPECT_EQ(web.get()->panMode(), PanMode::None);
}

TEST_F(GraphPanelsTest, EachGraphPlotsItsOwnFiguresAndWidensItsAxesByItsOwnRule)
{
    sample.noiseMarginUp = 9.2;
    sample.noiseMarginDown = 40;
    sample.speedUp = 448;
    sample.speedDown = 7000;
    sample.user1Up = 1000;
    sample.user1Down = 40;
    sample.user2Up = 500;
    sample.user2Down = 60;
    start();
    plot(1);
    const struct {
        Chart *chart;
        double up, down, leftMax, rightMax;
    } cases[] = {
        { graphs->chartOfPage(1), 9.2, 40, 12.88, 44 },
        { web.get(), 9.2, 40, 12.88, 44 }, // the web graph
        { graphs->chartOfPage(2), 448, 7000, 627.2, 7700 },
        { graphs->chartOfPage(3), 1000, 40, 1200, 44 },
        { graphs->chartOfPage(4), 500, 60, 700, 66 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.chart->axisTitle(ChartAxis::Left).toStdString());
        EXPECT_DOUBLE_EQ(c.chart->series(ChartSide::Left).value(0), c.up);
        EXPECT_DOUBLE_EQ(c.chart->series(ChartSide::Right).value(0), c.down);
        EXPECT_DOUBLE_EQ(c.chart->maximum(ChartAxis::Left), c.leftMax);
        EXPECT_DOUBLE_EQ(c.chart->maximum(ChartAxis::Right), c.rightMax);
    }
}

// Every page load sets the label spacing; only a sample adds points. The
// DateStamp option is kept in the settings and applies from the next sample.
TEST_F(GraphPanelsTest, PlotStepSpacesLabelsOnEveryLoadAndPlotsSamplesOnly)
{
    start();
    const auto load = [this](bool running) { return PageLoad { sample, clock.now(), false, running }; };
    SamplePipeline pipeline;
    pipeline.add(SamplePipeline::Stage::Plot, std::make_unique<PlotStep>(*model));
    model->setDateStamp(false);
    EXPECT_FALSE(settings.flag(SettingKey::DateStamp));
    pipeline.run(load(false));
    EXPECT_EQ(model->PlotCount(), 0);
    EXPECT_EQ(graphs->chartOfPage(1)->labelSpacing(), 100);

    sample.pageRead = true;
    pipeline.run(load(true));
    model->setDateStamp(true);
    EXPECT_TRUE(settings.flag(SettingKey::DateStamp));
    EXPECT_EQ(graphs->chartOfPage(1)->labelSpacing(), 100); // until the next load
    pipeline.run(load(true));
    EXPECT_EQ(model->PlotCount(), 2);
    EXPECT_EQ(graphs->chartOfPage(1)->labelSpacing(), 30);
    const SeriesStore &noise = graphs->chartOfPage(1)->series(ChartSide::Left);
    EXPECT_EQ(noise.labelForm(0), LabelForm::Time);
    EXPECT_EQ(noise.labelForm(1), LabelForm::DayAndTime);
}

TEST_F(GraphPanelsTest, PageLengthFieldIsRaisedToTenWhenLeft)
{
    start();
    graphs->spPointsPerPage->setValue(5);
    EXPECT_EQ(BottomWindow(graphs->chartOfPage(2)), Window(0, 5));
    graphs->spPointsPerPageExit();
    EXPECT_EQ(graphs->spPointsPerPage->value(), 10);
    EXPECT_EQ(BottomWindow(web.get()), Window(0, 10));
    graphs->spSample->setValue(45);
    EXPECT_EQ(cycle.sampleSeconds(), 45);
    EXPECT_EQ(graphs->Panel5->text(), QStringLiteral("(0 hr : 8 min per page)"));
}

TEST_F(GraphPanelsTest, PagingBackPausesAndTheNewestPageResumes)
{
    settings.setInteger(SettingKey::PointsperPage, 20);
    start();
    plot(50);
    graphs->btnChartBack1Click();
    EXPECT_EQ(cycle.runState(), RunState::Paused);
    EXPECT_EQ(BottomWindow(graphs->chartOfPage(3)), Window(10, 30));
    EXPECT_EQ(BottomWindow(web.get()), Window(30, 50)); // the web graph is never paged
    graphs->btnHomeClick();
    EXPECT_EQ(BottomWindow(graphs->chartOfPage(1)), Window(0, 20));
    graphs->btnChartForwardClick();
    EXPECT_EQ(BottomWindow(graphs->chartOfPage(1)), Window(20, 40));
    graphs->btnForwardHomeClick();
    EXPECT_TRUE(running());
    EXPECT_EQ(BottomWindow(graphs->chartOfPage(2)), Window(30, 50));
}

TEST_F(GraphPanelsTest, DragBesideTheLeftAxisMovesItsMaximumOrWithShiftItsScaleAndCtrlLocksIt)
{
    start();
    Chart *chart = show(1);
    const QPoint nearAxis(55, 300);
    drag(chart, nearAxis, nearAxis + QPoint(0, 60));
    EXPECT_GT(chart->maximum(ChartAxis::Left), 10);
    EXPECT_EQ(chart->minimum(ChartAxis::Left), -2);
    EXPECT_EQ(chart->maximum(ChartAxis::Right), 10);
    EXPECT_FALSE(cycle.samplingHold());
    EXPECT_TRUE(cycle.timer1().isActive());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    const double max = chart->maximum(ChartAxis::Left);
    drag(chart, nearAxis, nearAxis + QPoint(0, 60), Qt::ShiftModifier);
    EXPECT_GT(chart->minimum(ChartAxis::Left), -2);
    EXPECT_GT(chart->maximum(ChartAxis::Left), max);

    const Window left = { chart->minimum(ChartAxis::Left), chart->maximum(ChartAxis::Left) };
    drag(chart, nearAxis, nearAxis + QPoint(0, 60), Qt::ControlModifier);
    EXPECT_EQ(Window(chart->minimum(ChartAxis::Left), chart->maximum(ChartAxis::Left)), left);
}

TEST_F(GraphPanelsTest, PressHoldsSamplingAndShowsTheCursorOfTheZone)
{
    start();
    Chart *chart = show(2);
    send(chart, QEvent::MouseButtonPress, QPoint(400, 300), Qt::LeftButton);
    EXPECT_TRUE(cycle.samplingHold());
    EXPECT_FALSE(cycle.timer1().isActive());
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->pixmap().toImage(),
        graphs->cursors().byName(QStringLiteral("cursorNO")).pixmap().toImage());
    send(chart, QEvent::MouseMove, QPoint(300, 300), Qt::LeftButton);
    EXPECT_EQ(BottomWindow(chart), Window(0, 480)); // no horizontal drag before it is allowed
    send(chart, QEvent::MouseButtonRelease, QPoint(300, 300), Qt::NoButton);
    EXPECT_FALSE(cycle.samplingHold());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(GraphPanelsTest, HorizontalDragIsCopiedToTheOtherVisibleGraphsAtRelease)
{
    settings.setInteger(SettingKey::PointsperPage, 100);
    start();
    plot(300);
    Chart *chart = show(2);
    drag(chart, QPoint(300, 300), QPoint(500, 300));
    const Window moved = BottomWindow(chart);
    EXPECT_LT(moved.first, 200);
    EXPECT_DOUBLE_EQ(moved.second - moved.first, 100);
    for (Chart *other : { graphs->chartOfPage(1), graphs->chartOfPage(3), graphs->chartOfPage(4) })
        EXPECT_EQ(BottomWindow(other), moved);
    EXPECT_EQ(BottomWindow(web.get()), Window(200, 300));
    EXPECT_EQ(graphs->chartOfPage(2)->panMode(), PanMode::Both);
    plot(1);
    EXPECT_EQ(BottomWindow(graphs->chartOfPage(1)), Window(201, 301));
}

TEST_F(GraphPanelsTest, RightAxisDragHoldsBothMinimaAtZeroOnConnectionSpeedOnly)
{
    const struct {
        int page;
        double leftMin;
        bool rightBelowZero;
    } cases[] = { { 2, 0, false }, { 3, -5, true } };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.page);
        setAxes(c.page, AxisLimitSet { 20, 20, -5, 0 });
        start();
        Chart *chart = show(c.page);
        const QPoint nearAxis(705, 300);
        drag(chart, nearAxis, nearAxis - QPoint(0, 60), Qt::ShiftModifier); // upwards lowers the scale
        EXPECT_EQ(chart->minimum(ChartAxis::Left), c.leftMin);
        EXPECT_EQ(chart->maximum(ChartAxis::Left), 20);
        EXPECT_EQ(chart->minimum(ChartAxis::Right) < 0, c.rightBelowZero);
        EXPECT_LT(chart->maximum(ChartAxis::Right), 20);
    }
}

TEST_F(GraphPanelsTest, ThreeDFromThePopupMenuFollowsTheFlagsAndTheWebGraphFollowsNoiseMargin)
{
    settings.setText(SettingKey::ThreeD, QStringLiteral("01"));
    start();
    EXPECT_TRUE(graphs->chartOfPage(2)->is3D());
    graphs->popupChartPopup(graphs->chartOfPage(2));
    EXPECT_TRUE(graphs->mnu3D->isChecked());

    graphs->popupChartPopup(graphs->chartOfPage(3));
    EXPECT_FALSE(graphs->mnu3D->isChecked());
    graphs->mnu3D->trigger();
    EXPECT_TRUE(graphs->chartOfPage(3)->is3D());
    EXPECT_FALSE(web.get()->is3D());
    graphs->popupChartPopup(graphs->chartOfPage(1));
    graphs->mnu3D->trigger();
    EXPECT_TRUE(web.get()->is3D());
    EXPECT_EQ(model->threeDFlags(), QStringLiteral("11100"));
    EXPECT_EQ(settings.text(SettingKey::ThreeD), QStringLiteral("11100"));
}

TEST_F(GraphPanelsTest, SwitchingToLastHourBreaksTheLinesAndDropsTheFirstPoint)
{
    sample.user1Up = 1000;
    sample.user1Down = 40;
    start();
    plot(3);
    graphs->rbLastHour1->setChecked(true);
    graphs->rbLastHour1Click();
    const SeriesStore &up = graphs->chartOfPage(3)->series(ChartSide::Left);
    ASSERT_EQ(up.count(), 4);
    EXPECT_EQ(up.value(0), 0);
    EXPECT_EQ(up.value(1), 1000);
    EXPECT_EQ(graphs->chartOfPage(3)->series(ChartSide::Right).value(0), 0);
    EXPECT_EQ(graphs->chartOfPage(3)->series(ChartSide::Right).value(1), 40);
    EXPECT_TRUE(up.isNull(3));
    EXPECT_TRUE(graphs->chartOfPage(3)->series(ChartSide::Right).isNull(3));
    EXPECT_EQ(graphs->chartOfPage(3)->maximum(ChartAxis::Left), 20);
    EXPECT_FALSE(graphs->Label5->isHidden());
    EXPECT_EQ(captions[3], QStringLiteral("CRC Errors (1h)"));

    // The hour counts from the baseline the reader took.
    sample.user1UpBase = 1000;
    sample.user1Up = 1003;
    plot(1);
    EXPECT_EQ(up.value(4), 3);

    graphs->btnResetClick();
    EXPECT_EQ(sample.user1UpBase, 0);
    graphs->rbTotal1->setChecked(true);
    graphs->rbTotal1Click();
    EXPECT_TRUE(graphs->Label5->isHidden());
    EXPECT_EQ(captions[3], QStringLiteral("CRC Errors"));
}

TEST_F(GraphPanelsTest, ChoosingLastHourAgainChangesNothing)
{
    start();
    plot(2);
    graphs->rbLastHour1->click();
    graphs->chartOfPage(3)->setMaximum(ChartAxis::Left, 50);
    model->hourTimer().stop();
    graphs->rbLastHour1->click();
    EXPECT_EQ(graphs->chartOfPage(3)->series(ChartSide::Left).count(), 3);
    EXPECT_EQ(graphs->chartOfPage(3)->maximum(ChartAxis::Left), 50);
    EXPECT_FALSE(model->hourTimer().isActive());
    graphs->rbTotal1->click();
    graphs->rbLastHour1->click();
    EXPECT_EQ(graphs->chartOfPage(3)->series(ChartSide::Left).count(), 4);
}

TEST_F(GraphPanelsTest, TheHourRestartsOnResetAndOnASwitchUnlessTheOtherGraphCountsAlready)
{
    start();
    // A stopped timer shows whether an action starts a new hour.
    model->hourTimer().stop();
    graphs->rbLastHour2->click();
    EXPECT_TRUE(model->hourTimer().isActive());
    model->hourTimer().stop();
    graphs->rbLastHour1->click(); // joins graph 2's hour
    EXPECT_FALSE(model->hourTimer().isActive());

    sample.user2DownBase = 12;
    model->hourTimer().start(1000); // an hour cut short: Reset brings back a full one
    graphs->btnResetClick();
    EXPECT_TRUE(model->hourTimer().isActive());
    EXPECT_EQ(model->hourTimer().interval(), 3600000);
    EXPECT_GT(model->hourTimer().remainingTime(), 3590000);
    EXPECT_EQ(sample.user2DownBase, 0);
}

TEST_F(GraphPanelsTest, StartUpEnablesTheModeButtonsByFigure)
{
    const struct {
        int figure;
        bool graph1Buttons;
        bool lastHour2;
    } cases[] = {
        { 0, false, false }, // Output Power (dBm)
        { 1, false, false }, // Line Attenuation (dB)
        { 4, true, true }, // CRC Errors
        { 6, false, true }, // [none]
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.figure);
        settings.setInteger(SettingKey::User1, c.figure);
        settings.setInteger(SettingKey::User2, c.figure);
        start();
        EXPECT_EQ(graphs->rbTotal1->isEnabled(), c.graph1Buttons);
        EXPECT_EQ(graphs->rbLastHour1->isEnabled(), c.graph1Buttons);
        EXPECT_TRUE(graphs->rbTotal2->isEnabled());
        EXPECT_EQ(graphs->rbLastHour2->isEnabled(), c.lastHour2);
    }
}

TEST_F(GraphPanelsTest, StartUpWithNoneAndLastHourSelected)
{
    for (const SettingKey key : { SettingKey::User1, SettingKey::User2 })
        settings.setInteger(key, 6);
    for (const SettingKey key : { SettingKey::Total1, SettingKey::Total2 })
        settings.setFlag(key, false);
    for (const SettingKey key : { SettingKey::LastHour1, SettingKey::LastHour2 })
        settings.setFlag(key, true);
    start();
    EXPECT_EQ(captions[3], QStringLiteral("[none] (1h)"));
    EXPECT_EQ(captions[4], QStringLiteral("[none] (1h)"));
    EXPECT_TRUE(graphs->Label5->isHidden());
    EXPECT_FALSE(graphs->Label7->isHidden());
    EXPECT_EQ(graphs->chartOfPage(3)->maximum(ChartAxis::Right), 10);
    EXPECT_EQ(graphs->chartOfPage(4)->minimum(ChartAxis::Left), 0);

    sample.user2Up = 77;
    plot(1);
    EXPECT_EQ(graphs->chartOfPage(4)->series(ChartSide::Left).value(0), 0);
    EXPECT_EQ(graphs->chartOfPage(4)->series(ChartSide::Left).colour(0), PointColour::Grey);
    EXPECT_EQ(graphs->chartOfPage(4)->maximum(ChartAxis::Left), 10); // no axis rule for "[none]"
}

TEST_F(GraphPanelsTest, ChoosingAFigureSetsTitlesCaptionButtonsAndTheLogHeader)
{
    start();
    const int changesBefore = figureChanges;
    graphs->boxUser1->setCurrentIndex(3);
    graphs->boxUser2->setCurrentIndex(1);
    EXPECT_EQ(figureChanges - changesBefore, 2);
    EXPECT_EQ(chosen.second, UserFigure::None); // not before the list closes
    graphs->boxUser2CloseUp();
    EXPECT_EQ(
        graphs->chartOfPage(4)->axisTitle(ChartAxis::Left), QStringLiteral("Upstream Line Attenuation (dB)"));
    EXPECT_EQ(captions[4], QStringLiteral("Line Attenuation "));
    EXPECT_FALSE(graphs->rbLastHour2->isEnabled());
    EXPECT_EQ(chosen, std::make_pair(UserFigure::FecErrors, UserFigure::LineAttenuation));
}

TEST_F(GraphPanelsTest, SavedAxesAreRestoredAndSavedTruncated)
{
    setAxes(2, AxisLimitSet { 9000, 800, 100, -5 });
    setAxes(3, AxisLimitSet { 5, 20, 9, 0 }); // damaged pair: left keeps its start values
    start();
    EXPECT_EQ(graphs->chartOfPage(2)->maximum(ChartAxis::Left), 9000);
    EXPECT_EQ(graphs->chartOfPage(2)->minimum(ChartAxis::Right), -5);
    EXPECT_EQ(graphs->chartOfPage(3)->maximum(ChartAxis::Left), 20);
    graphs->chartOfPage(1)->setMaximum(ChartAxis::Left, 13.9);
    graphs->chartOfPage(1)->setMinimum(ChartAxis::Left, -2.7);
    bindings.collect();
    EXPECT_TRUE(settings.flag(SettingKey::SaveAxes));
    EXPECT_EQ(settings.integer(SettingKey::C1Lx), 13);
    EXPECT_EQ(settings.integer(SettingKey::C1L), -2);
    EXPECT_EQ(settings.integer(SettingKey::C2Lx), 9000);
}

TEST_F(GraphPanelsTest, RedrawsAreCoalescedAndImagesAreDrawnAtTheAskedSize)
{
    start();
    Chart *chart = show(1);
    const int before = chart->replotCount();
    plot(20);
    QCoreApplication::processEvents();
    EXPECT_EQ(chart->replotCount(), before + 1);
    const QImage image = chart->renderImage(QSize(500, 300));
    EXPECT_EQ(image.size(), QSize(500, 300));
}

TEST_F(GraphPanelsTest, PagingPanelsShowTogetherInTheBottomBand)
{
    start();
    Chart *chart = show(1);
    graphs->Chart1MouseMove(chart, QPoint(400, chart->height() - 50));
    EXPECT_FALSE(graphs->Panel16->isHidden());
    EXPECT_EQ(graphs->Panel11->y() + graphs->Panel11->height(), chart->height() - 40);
    graphs->Chart1MouseMove(chart, QPoint(400, 100));
    EXPECT_TRUE(graphs->Panel14->isHidden());
}

} // namespace
