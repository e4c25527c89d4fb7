#include "graphs/chart.h"
#include "graphs/graph_panels.h"
#include "outputs/jpeg_codec.h"
#include "sampling/sample_cycle.h"
#include "shell/controls/capture_controls.h"
#include "shell/controls/router_page_image.h"
#include "shell/controls/status_bar.h"
#include "shell/controls/tray_controller.h"
#include "shell/windows/main_window.h"
#include "support/fake_browser_view.h"
#include "support/fixture_pages.h"
#include "support/main_window_fixture.h"
#include "support/qt_printers.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString Stamp = QStringLiteral("20261209-100000");

// The main window on a Type A router whose statistics page is known, its
// captures answered by the test instead of dialogs.
class MainWindowCaptureTest : public MainWindowFixture {
protected:
    void openWith(const Settings &settings)
    {
        open(settings);
        controls().dialogs.inform = [this](QWidget *, const QString &text) { informed.append(text); };
        controls().dialogs.reportError = [this](QWidget *, const QString &text) { errors.append(text); };
        controls().dialogs.askSavePath = [this](QFileDialog &dialog) {
            askedIn = dialog.directory().absolutePath();
            return answer;
        };
    }

    CaptureControls &controls() { return window->captureControls(); }
    QString captureFolder() const { return data.filePath(QStringLiteral("Capture")); }
    QStringList captured() const { return QDir(captureFolder()).entryList(QDir::Files, QDir::Name); }

    QStringList informed;
    QStringList errors;
    QString answer;
    QString askedIn;
};

TEST_F(MainWindowCaptureTest, CaptureOfAllGraphsNamesEachFileAndSkipsNoneGraphs)
{
    const struct {
        bool addPrefix;
        int user2;
        QStringList files;
    } cases[] = {
        { true, 5,
            { QStringLiteral("Wardn-CRC Errors-") + Stamp + QStringLiteral(".jpg"),
                QStringLiteral("Wardn-ConnectionSpeed-") + Stamp + QStringLiteral(".jpg"),
                QStringLiteral("Wardn-HEC Errors-") + Stamp + QStringLiteral(".jpg"),
                QStringLiteral("Wardn-NoiseMargin-") + Stamp + QStringLiteral(".jpg") } },
        { false, 6,
            { QStringLiteral("CRC Errors-") + Stamp + QStringLiteral(".jpg"),
                QStringLiteral("ConnectionSpeed-") + Stamp + QStringLiteral(".jpg"),
                QStringLiteral("NoiseMargin-") + Stamp + QStringLiteral(".jpg") } },
    };
    for (const auto &c : cases) {
        QDir(captureFolder()).removeRecursively();
        Settings settings = typeA();
        settings.setFlag(SettingKey::AddPrefix, c.addPrefix);
        settings.setInteger(SettingKey::User2, c.user2);
        openWith(settings);
        ASSERT_TRUE(controls().btnCapture->isEnabled());
        controls().btnCapture->click();
        EXPECT_EQ(captured(), c.files);
        EXPECT_TRUE(
            window->statusPanels().StatusPanel2->text().startsWith(QStringLiteral("Capture folder:  ")));
        // A second capture in the same second replaces the files.
        controls().btnCapture->click();
        EXPECT_EQ(captured(), c.files);
    }
}

TEST_F(MainWindowCaptureTest, EveryCaptureDrawsEachGraphAtItsTabsSizeInTheWindowAsItIsNow)
{
    Settings settings = typeA();
    settings.setInteger(SettingKey::PointsperPage, 10);
    openWith(settings);
    // A graph tab seen at the first size, so its page keeps an old size.
    window->show();
    window->PageControl1->setCurrentIndex(2);
    QCoreApplication::processEvents();

    const struct {
        const char *how;
        QSize window;
        bool inTray;
        std::function<void()> capture;
    } cases[] = {
        { "Capture", QSize(1010, 770), false, [this] { controls().btnCapture->click(); } },
        { "page capture", QSize(1110, 800), true,
            [this] {
                controls().cbCapture->setChecked(true);
                for (int i = 0; i < 10; ++i)
                    completeStatisticsPage();
            } },
        { "close", QSize(900, 700), true,
            [this] {
                controls().cbCaptureOnClose->setChecked(true);
                window->close();
            } },
    };
    const struct {
        QString file;
        int page;
    } files[] = {
        { QStringLiteral("Wardn-NoiseMargin-"), 1 },
        { QStringLiteral("Wardn-ConnectionSpeed-"), 2 },
        { QStringLiteral("Wardn-CRC Errors-"), 3 },
        { QStringLiteral("Wardn-HEC Errors-"), 4 },
    };
    for (const auto &c : cases) {
        // A new size on "Home Hub": no graph page is laid out at it.
        window->PageControl1->setCurrentIndex(0);
        window->resize(c.window);
        QCoreApplication::processEvents();
        ASSERT_EQ(window->size(), c.window) << c.how;
        if (c.inTray)
            window->hide();
        QDir(captureFolder()).removeRecursively();
        QDir().mkpath(captureFolder());
        c.capture();

        // Each graph's size on screen once its tab is selected, measured
        // after the capture.
        window->show();
        ASSERT_EQ(window->size(), c.window) << c.how;
        ASSERT_EQ(captured().size(), 4) << c.how << captured().join(u'|').toStdString();
        for (const auto &f : files) {
            window->PageControl1->setCurrentIndex(f.page);
            QCoreApplication::processEvents();
            const QSize onScreen = window->graphs().chartOfPage(f.page)->size();
            const QImage picture = JpegCodec::decode(
                data.readFile(QStringLiteral("Capture/") + f.file + Stamp + QStringLiteral(".jpg")));
            const std::string name = std::string(c.how) + " " + f.file.toStdString();
            EXPECT_GT(onScreen.width(), 800) << name;
            EXPECT_EQ(picture.size(), onScreen) << name;
            EXPECT_TRUE(DarkIn(picture, 20, 60)) << name;
            EXPECT_TRUE(DarkIn(picture, 450, 490)) << name;
        }
    }
}

TEST_F(MainWindowCaptureTest, AStampThatWouldMakeAFolderWritesNothing)
{
    Settings settings = typeA();
    settings.setText(SettingKey::ImageDateFormat, QStringLiteral("yyyy/mm/dd"));
    openWith(settings);
    controls().btnCapture->click();
    controls().mnuCaptureVisibleClick();
    EXPECT_TRUE(QDir(captureFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(MainWindowCaptureTest, VisibleGraphTakesTheTabsCaption)
{
    Settings settings = typeA();
    settings.setInteger(SettingKey::User1, 0);
    settings.setInteger(SettingKey::User2, 6);
    openWith(settings);
    const struct {
        int page;
        QString file;
    } cases[] = {
        { 1, QStringLiteral("Wardn-Noise Margin-") + Stamp + QStringLiteral(".jpg") },
        { 3, QStringLiteral("Wardn-Output Power -") + Stamp + QStringLiteral(".jpg") },
        { 4, QString() }, // "[none]"
    };
    for (const auto &c : cases) {
        QDir(captureFolder()).removeRecursively();
        QDir().mkpath(captureFolder());
        window->PageControl1->setCurrentIndex(c.page);
        controls().mnuCaptureVisibleClick();
        EXPECT_EQ(captured(), c.file.isEmpty() ? QStringList() : QStringList { c.file }) << c.page;
    }
}

TEST_F(MainWindowCaptureTest, MissingFolderIsReportedOnlyForTheVisibleGraphWhileShown)
{
    Settings settings = typeA();
    settings.setText(SettingKey::Capture, data.filePath(QStringLiteral("nowhere")));
    openWith(settings);
    EXPECT_FALSE(controls().btnCapture->isEnabled());
    EXPECT_FALSE(controls().mnuCaptureAll->isEnabled());
    controls().btnCaptureClick();
    EXPECT_TRUE(informed.isEmpty());

    window->show();
    window->PageControl1->setCurrentIndex(1);
    controls().mnuCaptureVisibleClick();
    EXPECT_EQ(informed,
        QStringList { QStringLiteral("Please select a suitable folder in which to capture the images") });
    EXPECT_EQ(window->GraphsGroup->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_FALSE(QFileInfo::exists(data.filePath(QStringLiteral("nowhere"))));

    window->PageControl1->setCurrentIndex(2);
    EXPECT_FALSE(window->GraphsGroup->autoFillBackground());
    // Typing an existing folder enables the capture again.
    controls().edCapture->setText(captureFolder() + u'/');
    EXPECT_TRUE(controls().btnCapture->isEnabled());
    EXPECT_EQ(controls().edCapture->toolTip(), captureFolder() + u'/');
    controls().edCaptureExit();
    EXPECT_EQ(controls().edCapture->text(), captureFolder());
}

TEST_F(MainWindowCaptureTest, FileMenuNamesTheGraphOfTheSelectedTab)
{
    Settings settings = typeA();
    settings.setInteger(SettingKey::User1, 0);
    openWith(settings);
    const struct {
        int page;
        const char *capture;
        const char *save;
    } cases[] = {
        { 1, "Capture Noise Margin Graph Image", "Save Noise Margin Graph Image As..." },
        { 2, "Capture Connection Speed Graph Image", "Save Connection Speed Graph Image As..." },
        { 3, "Capture Output Power  Graph Image", "Save Output Power  Graph Image As..." },
        { 4, "Capture HEC Errors Graph Image", "Save HEC Errors Graph Image As..." },
        { 0, nullptr, nullptr },
        { 5, nullptr, nullptr },
    };
    for (const auto &c : cases) {
        window->PageControl1->setCurrentIndex(c.page);
        emit window->File1->aboutToShow();
        EXPECT_EQ(controls().mnuCaptureVisible->isVisible(), c.capture != nullptr) << c.page;
        EXPECT_EQ(controls().mnuCaptureAll->isVisible(), c.capture != nullptr) << c.page;
        if (c.capture) {
            EXPECT_EQ(controls().mnuCaptureVisible->text(), QString::fromLatin1(c.capture));
            EXPECT_EQ(controls().mnuSaveAs->text(), QString::fromLatin1(c.save));
        }
    }
}

TEST_F(MainWindowCaptureTest, CaptureOptionsExcludeEachOtherAndShowTheirIndicators)
{
    Settings settings = typeA();
    settings.setFlag(SettingKey::cbCapture, true);
    settings.setFlag(SettingKey::LostSync, true);
    openWith(settings);
    // Loaded both: the later key wins.
    EXPECT_FALSE(controls().cbCapture->isChecked());
    EXPECT_TRUE(controls().cbOnlyIfLost->isChecked());
    EXPECT_FALSE(controls().Image2->isHidden());

    controls().cbCapture->setChecked(true);
    EXPECT_FALSE(controls().cbOnlyIfLost->isChecked());
    EXPECT_TRUE(controls().Image2->isHidden());
    EXPECT_FALSE(monitor->settings().flag(SettingKey::LostSync));

    emit window->Configure1->aboutToShow();
    EXPECT_FALSE(controls().mnuStartCapture->isVisible());
    controls().mnuStopCapture->trigger();
    EXPECT_FALSE(controls().cbCapture->isChecked());
    controls().mnuStartCapture->trigger();
    EXPECT_TRUE(controls().cbCapture->isChecked());
}

TEST_F(MainWindowCaptureTest, EachPageIsCapturedAndCloseCapturesAfterThreeSamples)
{
    Settings settings = typeA();
    settings.setFlag(SettingKey::cbCapture, true);
    settings.setInteger(SettingKey::PointsperPage, 2);
    settings.setFlag(SettingKey::OnClose, true);
    settings.setInteger(SettingKey::User1, 6);
    settings.setInteger(SettingKey::User2, 6);
    openWith(settings);
    completeStatisticsPage();
    EXPECT_TRUE(captured().isEmpty());
    completeStatisticsPage();
    EXPECT_EQ(captured().size(), 2);

    // Two samples plotted: closing captures nothing more.
    QDir(captureFolder()).removeRecursively();
    QDir().mkpath(captureFolder());
    window->close();
    EXPECT_TRUE(captured().isEmpty());

    openWith(settings);
    for (int i = 0; i < 3; ++i)
        completeStatisticsPage(30);
    QDir(captureFolder()).removeRecursively();
    QDir().mkpath(captureFolder());
    window->close();
    EXPECT_EQ(captured().size(), 2);
}

// "Only if lost": a lost connection is captured once more than two samples
// are plotted, and shows Image1 in place of Image2; Pause clears the
// pending follow-up and sets Image1 by its option, Start both by theirs.
TEST_F(MainWindowCaptureTest, ALostConnectionIsCapturedFromTheThirdSampleAndPauseEndsItsFollowUp)
{
    Settings settings = typeA();
    settings.setFlag(SettingKey::LostSync, true);
    settings.setInteger(SettingKey::PointsperPage, 2);
    settings.setInteger(SettingKey::User1, 6);
    settings.setInteger(SettingKey::User2, 6);
    openWith(settings);
    const auto lostPage = [this] {
        clock.advanceSeconds(30);
        view->complete(FakeDocument(StatsDocumentUrl, QStringLiteral("<p>Home</p>")));
    };
    const auto goodPage = [this] { completeStatisticsPage(30); };
    const struct {
        const char *what;
        std::function<void()> action;
        int files; // two graphs per capture
        bool image1;
        bool image2;
    } steps[] = {
        { "first sample, line up", goodPage, 0, false, true },
        { "second sample lost: too early", lostPage, 0, false, true },
        { "third sample lost", lostPage, 2, true, false },
        { "line back, follow-up pending", goodPage, 2, true, false },
        { "Pause", [this] { monitor->cycle().btnStopClick(); }, 2, false, false },
        { "Resume", [this] { monitor->cycle().btnRunClick(); }, 2, false, true },
        { "a page after the lost capture: no follow-up", goodPage, 2, false, true },
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.what);
        step.action();
        EXPECT_EQ(captured().size(), step.files);
        EXPECT_EQ(!controls().Image1->isHidden(), step.image1);
        EXPECT_EQ(!controls().Image2->isHidden(), step.image2);
    }
}

TEST_F(MainWindowCaptureTest, SaveAsWritesTheChosenFileOrReportsWhy)
{
    openWith(typeA());
    const QFileDialog *dialog = controls().SavePictureDialog1;
    EXPECT_EQ(dialog->nameFilters(), QStringList { QStringLiteral("JPEG Image File (*.jpg)") });
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("jpg"));
    EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));

    answer = data.filePath(QStringLiteral("chosen.jpg"));
    controls().mnuSaveAsClick();
    EXPECT_EQ(askedIn, captureFolder());
    EXPECT_FALSE(JpegCodec::decode(data.readFile(QStringLiteral("chosen.jpg"))).isNull());
    EXPECT_TRUE(errors.isEmpty());

    answer = data.filePath(QStringLiteral("missing/chosen.jpg"));
    controls().mnuSaveAsClick();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_FALSE(errors.first().isEmpty());
}

TEST_F(MainWindowCaptureTest, RouterPageImageHoldsTheSampleTimerOnlyWhileItAsks)
{
    const struct {
        QSize view;
        QSize picture;
    } sizes[] = { { QSize(1000, 700), QSize(700, 600) }, { QSize(800, 500), QSize(500, 500) },
        { QSize(300, 500), QSize() } };
    for (const auto &s : sizes)
        EXPECT_EQ(RouterPageImageSize(s.view), s.picture);

    openWith(typeA());
    completeStatisticsPage(); // starts sampling
    ASSERT_EQ(monitor->cycle().runState(), RunState::Running);
    bool timerRanWhileAsking = true;
    controls().dialogs.askSavePath = [&](QFileDialog &) {
        timerRanWhileAsking = monitor->cycle().timer1().isActive();
        return QString();
    };
    controls().mnuSaveImageClick(nullptr);
    EXPECT_FALSE(timerRanWhileAsking);
    EXPECT_TRUE(monitor->cycle().timer1().isActive());
    EXPECT_EQ(view->scrolls, (QList<QPoint> { QPoint(0, -300), QPoint(0, 270) }));

    monitor->cycle().btnStopClick();
    controls().mnuSaveImageClick(nullptr);
    EXPECT_FALSE(monitor->cycle().timer1().isActive());
}

TEST_F(MainWindowCaptureTest, TrayIconShowsTheMarginAndAQuestionMarkAfterPause)
{
    openWith(typeA());
    TrayController &tray = window->tray();
    EXPECT_EQ(tray.TrayIcon->toolTip(), QStringLiteral("Linewarden\nNoise margin: 0 dB\nSync speed: 0 Kbps"));
    window->winId(); // the platform window, whose icon the task bar shows
    completeStatisticsPage();
    EXPECT_NE(tray.TrayIcon->toolTip(), QStringLiteral("Linewarden\nNoise margin: 0 dB\nSync speed: 0 Kbps"));
    const QImage running = tray.TrayIcon->icon().pixmap(16, 16).toImage();

    // The program's icon and the tray's change to "?" at once.
    monitor->cycle().btnStopClick();
    const QImage paused = tray.TrayIcon->icon().pixmap(16, 16).toImage();
    EXPECT_NE(paused, running);
    EXPECT_EQ(window->windowHandle()->icon().pixmap(16, 16).toImage(), paused);
}

TEST_F(MainWindowCaptureTest, MinimisingHidesTheWindowOnlyWhereATrayCanBringItBack)
{
    for (const bool trayAvailable : { true, false }) {
        Settings settings = typeA();
        settings.setFlag(SettingKey::Minimize, true);
        openWith(settings);
        TrayController &tray = window->tray();
        tray.setTrayAvailable(trayAvailable);
        window->show();
        window->setWindowState(Qt::WindowMinimized);
        QCoreApplication::processEvents();
        EXPECT_EQ(window->isHidden(), trayAvailable);
        EXPECT_EQ(tray.iconShowing(), trayAvailable);

        tray.mnuRestore->trigger();
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(window->isMinimized());
        EXPECT_FALSE(tray.iconShowing());
    }
}

} // namespace
