#include "shell/windows/image_viewer.h"

#include "outputs/jpeg_codec.h"
#include "shell/controls/capture_controls.h"
#include "support/main_window_fixture.h"
#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QAction>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

QByteArray Jpeg(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return JpegCodec::encode(image);
}

// A capture folder with pictures, a broken picture, a folder, a hidden
// picture and a file that is no picture.
class ImageViewerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.writeFile(QStringLiteral("a.jpg"), Jpeg(50, 40)));
        ASSERT_TRUE(dir.writeFile(QStringLiteral("big.JPG"), Jpeg(2000, 1500)));
        ASSERT_TRUE(dir.writeFile(QStringLiteral("broken.jpg"), "no picture at all"));
        ASSERT_TRUE(dir.writeFile(QStringLiteral(".hidden.jpg"), Jpeg(10, 10)));
        ASSERT_TRUE(dir.writeFile(QStringLiteral("notes.txt"), "text"));
        ASSERT_TRUE(dir.writeFile(QStringLiteral("sub/b.jpg"), Jpeg(30, 20)));
        viewer = std::make_unique<TForm3>(dir.path());
        viewer->setDesktop({ [this](const QString &path) { opened.append(path); },
            [this](QWidget *, const QString &text) { told.append(text); },
            [](QWidget *) { return QString(); } });
    }

    // Selects an entry once the list has read the folder.
    void select(const QString &name)
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return viewer->selectEntry(name); }, 5000)) << name.toStdString();
    }

    QStringList shownNames() const
    {
        const QTreeView &list = *viewer->imageListBox;
        QStringList names;
        for (int row = 0; row < list.model()->rowCount(list.rootIndex()); ++row)
            names.append(list.model()->index(row, 0, list.rootIndex()).data().toString());
        return names;
    }

    TempDataDir dir;
    std::unique_ptr<TForm3> viewer;
    QStringList opened;
    QStringList told;
};

TEST_F(ImageViewerTest, ListsTheWayUpThenFoldersThenJpegFilesHiddenOnesIncluded)
{
    select(QStringLiteral("a.jpg"));
    const QStringList names = shownNames();
    ASSERT_EQ(names.size(), 6) << names.join(u'|').toStdString();
    EXPECT_EQ(names.mid(0, 2), QStringList({ QStringLiteral(" Up one level"), QStringLiteral("sub") }));
    for (const QString &name :
        { QStringLiteral("a.jpg"), QStringLiteral("big.JPG"), QStringLiteral(".hidden.jpg") })
        EXPECT_TRUE(names.contains(name)) << name.toStdString();
    EXPECT_FALSE(names.contains(QStringLiteral("notes.txt")));
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Linewarden  - Image Viewer"));
    EXPECT_EQ(viewer->minimumSize(), QSize(875, 560));
}

TEST_F(ImageViewerTest, OnlyAReadableJpegReplacesThePictureAndOnlyNoSelectionClearsIt)
{
    const struct {
        QString select; // empty: nothing selected
        QSize picture; // 0 by 0: no picture
        QString status;
    } steps[] = {
        { QStringLiteral("a.jpg"), QSize(50, 40), dir.filePath(QStringLiteral("a.jpg")) },
        { QStringLiteral("broken.jpg"), QSize(50, 40), dir.filePath(QStringLiteral("broken.jpg")) },
        { QStringLiteral("sub"), QSize(50, 40), dir.filePath(QStringLiteral("sub")) },
        { QStringLiteral(".."), QSize(50, 40), QFileInfo(dir.path()).absolutePath() },
        { QStringLiteral("big.JPG"), QSize(2000, 1500), dir.filePath(QStringLiteral("big.JPG")) },
        { QString(), QSize(0, 0), dir.filePath(QStringLiteral("big.JPG")) },
    };
    for (const auto &step : steps) {
        if (step.select.isEmpty())
            viewer->clearSelection();
        else
            select(step.select);
        EXPECT_EQ(viewer->picture().size(), step.picture) << step.select.toStdString();
        EXPECT_EQ(viewer->statusText(), step.status) << step.select.toStdString();
    }
}

TEST_F(ImageViewerTest, OpeningAFolderEntersItTheWayUpAndBackspaceLeaveIt)
{
    const QString top = QDir::cleanPath(dir.path());
    select(QStringLiteral("sub"));
    viewer->actOpen->trigger();
    EXPECT_EQ(viewer->folder(), top + QStringLiteral("/sub"));
    select(QStringLiteral("b.jpg"));
    EXPECT_EQ(viewer->picture().size(), QSize(30, 20));
    viewer->actOpen->trigger(); // a file goes to the desktop's program
    EXPECT_EQ(opened, QStringList({ top + QStringLiteral("/sub/b.jpg") }));

    select(QStringLiteral(".."));
    viewer->actOpen->trigger();
    EXPECT_EQ(viewer->folder(), top);
    // A new folder shows with nothing selected: no picture.
    EXPECT_TRUE(viewer->picture().isNull());
    // The keys as a user presses them in the list.
    viewer->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer.get()));
    viewer->imageListBox->setFocus();
    QTest::keyClick(viewer->imageListBox, Qt::Key_Backspace);
    EXPECT_EQ(viewer->folder(), QFileInfo(top).absolutePath());
}

TEST_F(ImageViewerTest, FileKeysCopyCutAndPasteWithoutOverwritingAndDeleteToTheTrash)
{
    const TempDataDir home;
    viewer->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer.get()));
    QTreeView *list = viewer->imageListBox;
    list->setFocus();
    const auto exists
        = [this](const char *name) { return QFileInfo::exists(dir.filePath(QLatin1String(name))); };

    select(QStringLiteral("a.jpg"));
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(exists("a.jpg"));
    EXPECT_TRUE(exists("a (2).jpg"));

    select(QStringLiteral("a (2).jpg"));
    QTest::keyClick(list, Qt::Key_X, Qt::ControlModifier);
    viewer->setFolder(dir.filePath(QStringLiteral("sub")));
    QTest::keyClick(list, Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(exists("a (2).jpg"));
    EXPECT_TRUE(exists("sub/a (2).jpg"));

    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    select(QStringLiteral("b.jpg"));
    QTest::keyClick(list, Qt::Key_Delete);
    qunsetenv("XDG_DATA_HOME");
    EXPECT_FALSE(exists("sub/b.jpg"));
    EXPECT_TRUE(QFileInfo::exists(home.filePath(QStringLiteral("Trash/files/b.jpg"))));
    EXPECT_TRUE(told.isEmpty()) << told.join(u'|').toStdString();
}

// The toolbar's "View" over the main window.
class ViewCapButtonTest : public MainWindowFixture { };

TEST_F(ViewCapButtonTest, FollowsTheFolderAndOpensTheViewerBelowTheToolbarOnTheFolderNamedNow)
{
    open(defaults());
    CaptureControls &capture = window->captureControls();
    QToolButton &button = *capture.btnViewCap;
    EXPECT_EQ(button.toolTip(), QStringLiteral("View graph images"));
    EXPECT_TRUE(button.isEnabled()); // the program's "Capture" folder exists
    capture.edCapture->setText(data.filePath(QStringLiteral("missing")));
    EXPECT_FALSE(button.isEnabled());

    // A folder chosen while the program runs is the one the viewer shows.
    ASSERT_TRUE(data.writeFile(QStringLiteral("Pictures/big.jpg"), Jpeg(2000, 1500)));
    capture.edCapture->setText(data.filePath(QStringLiteral("Pictures")));
    ASSERT_TRUE(button.isEnabled());
    window->move(40, 30);
    TForm3 &viewer = *window->Form3;
    QPoint placed;
    QString shown;
    QSize scrollRange;
    QTimer::singleShot(0, &viewer, [&] {
        placed = viewer.frameGeometry().topLeft();
        shown = viewer.folder();
        if (QTest::qWaitFor([&] { return viewer.selectEntry(QStringLiteral("big.jpg")); }, 5000)) {
            QCoreApplication::processEvents();
            scrollRange = QSize(viewer.ScrollBox1->horizontalScrollBar()->maximum(),
                viewer.ScrollBox1->verticalScrollBar()->maximum());
        }
        viewer.reject();
    });
    button.click();
    EXPECT_EQ(placed, window->pos() + QPoint(0, 110));
    EXPECT_EQ(shown, QDir::cleanPath(data.filePath(QStringLiteral("Pictures"))));
    // The picture at its natural size scrolls both ways.
    EXPECT_GT(scrollRange.width(), 0);
    EXPECT_GT(scrollRange.height(), 0);
}

} // namespace
