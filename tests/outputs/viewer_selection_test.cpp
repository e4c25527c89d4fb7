#include "outputs/viewer_selection.h"

#include "outputs/file_paste.h"
#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

using Kind = ViewerSelection::Kind;
using Picture = ViewerSelection::Picture;

TEST(ViewerSelection, OnlyAJpegFileLoadsAndOnlyNoSelectionClears)
{
    const struct {
        std::optional<ViewerSelection::Entry> entry;
        bool showPath;
        Picture picture;
        std::optional<QString> status;
    } cases[] = {
        { std::nullopt, true, Picture::Clear, std::nullopt },
        { ViewerSelection::Entry { QStringLiteral("/c/a.jpg"), Kind::File }, true, Picture::Load,
            QStringLiteral("/c/a.jpg") },
        { ViewerSelection::Entry { QStringLiteral("/c/B.JPG"), Kind::File }, false, Picture::Load,
            std::nullopt },
        { ViewerSelection::Entry { QStringLiteral("/c/notes.txt"), Kind::File }, true, Picture::Keep,
            QStringLiteral("/c/notes.txt") },
        { ViewerSelection::Entry { QStringLiteral("/c/old.jpg"), Kind::Folder }, true, Picture::Keep,
            QStringLiteral("/c/old.jpg") },
        { ViewerSelection::Entry { QStringLiteral("/"), Kind::UpOneLevel }, true, Picture::Keep,
            QStringLiteral("/") },
    };
    for (const auto &c : cases) {
        const QString name = c.entry ? c.entry->path : QStringLiteral("(none)");
        const ViewerSelection::Outcome outcome = ViewerSelection::selected(c.entry, c.showPath);
        EXPECT_EQ(outcome.picture, c.picture) << name.toStdString();
        EXPECT_EQ(outcome.picturePath, c.picture == Picture::Load ? c.entry->path : QString())
            << name.toStdString();
        EXPECT_EQ(outcome.statusText, c.status) << name.toStdString();
    }
}

TEST(ViewerSelection, AFolderEntryEntersItAndTheWayUpGoesToTheParent)
{
    ViewerSelection selection(QStringLiteral("/data/Capture/"));
    EXPECT_EQ(selection.folder(), QStringLiteral("/data/Capture"));

    const ViewerSelection::Entry up = selection.entry(QStringLiteral(".."), true);
    EXPECT_EQ(up.kind, Kind::UpOneLevel);
    EXPECT_EQ(up.path, QStringLiteral("/data"));
    const ViewerSelection::Entry file = selection.entry(QStringLiteral("a.jpg"), false);
    EXPECT_FALSE(selection.open(file));
    EXPECT_EQ(selection.folder(), QStringLiteral("/data/Capture"));

    EXPECT_TRUE(selection.open(selection.entry(QStringLiteral("May"), true)));
    EXPECT_EQ(selection.folder(), QStringLiteral("/data/Capture/May"));
    EXPECT_TRUE(selection.open(selection.entry(QStringLiteral(".."), true)));
    EXPECT_EQ(selection.folder(), QStringLiteral("/data/Capture"));

    // Backspace climbs to the root and stops there; the root has no way up.
    EXPECT_TRUE(selection.up());
    EXPECT_TRUE(selection.up());
    EXPECT_EQ(selection.folder(), QStringLiteral("/"));
    EXPECT_FALSE(selection.up());
    EXPECT_FALSE(selection.open(selection.entry(QStringLiteral(".."), true)));
}

TEST(FilePaste, PastesWithoutOverwritingAnything)
{
    const struct {
        QString source; // under "from/", or "to/" for the target itself
        bool move;
        QString pastedAs; // empty when the paste fails
        bool sourceStays;
    } cases[] = {
        { QStringLiteral("from/new.jpg"), false, QStringLiteral("new.jpg"), true },
        { QStringLiteral("from/a.jpg"), false, QStringLiteral("a (2).jpg"), true },
        { QStringLiteral("from/.h.jpg"), true, QStringLiteral(".h (2).jpg"), false },
        { QStringLiteral("from/readme"), true, QStringLiteral("readme (2)"), false },
        { QStringLiteral("to/a.jpg"), true, QStringLiteral("a.jpg"), true },
        { QStringLiteral("from/sub"), false, QString(), true },
        { QStringLiteral("from/missing.jpg"), false, QString(), false },
    };
    for (const auto &c : cases) {
        const TempDataDir dir;
        for (const QString &name :
            { QStringLiteral("a.jpg"), QStringLiteral(".h.jpg"), QStringLiteral("readme") }) {
            ASSERT_TRUE(dir.writeFile(QStringLiteral("to/") + name, "old"));
            ASSERT_TRUE(dir.writeFile(QStringLiteral("from/") + name, "new"));
        }
        ASSERT_TRUE(dir.writeFile(QStringLiteral("from/new.jpg"), "new"));
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("from/sub")));

        const QString source = dir.filePath(c.source);
        const QStringList failed = PasteFiles({ source }, dir.filePath(QStringLiteral("to")), c.move);
        EXPECT_EQ(failed.isEmpty(), !c.pastedAs.isEmpty()) << c.source.toStdString();
        EXPECT_EQ(QFileInfo::exists(source), c.sourceStays) << c.source.toStdString();
        if (!c.pastedAs.isEmpty()) {
            EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("to/") + c.pastedAs)))
                << c.source.toStdString();
        }
        // What was in the target folder before is still there, unchanged.
        EXPECT_EQ(dir.readFile(QStringLiteral("to/a.jpg")), QByteArray("old")) << c.source.toStdString();
    }
}

} // namespace
