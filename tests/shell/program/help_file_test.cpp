#include "shell/program/help_file.h"

#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

const QByteArray Guide = "<html><body>guide</body></html>";

TEST(HelpFile, LiesBesideTheSettingsFileNamedAfterIt)
{
    EXPECT_EQ(HelpFile::Beside(QStringLiteral("/data/linewarden.ini")).path(),
        QStringLiteral("/data/linewarden.html"));
    EXPECT_EQ(HelpFile::Beside(QStringLiteral("/d/lw.test.ini")).path(), QStringLiteral("/d/lw.test.html"));
}

TEST(HelpFile, WrittenAtStartReplacingALeftoverAndGoneAfterClose)
{
    struct Case {
        const char *name;
        QByteArray leftover; // empty: no file there
    };
    const Case cases[] = {
        { "first start", {} },
        { "leftover from a crashed run",
            "<html>old guide, longer than the new one ....................</html>" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TempDataDir data;
        const HelpFile help(data.filePath(QStringLiteral("linewarden.html")));
        if (!c.leftover.isEmpty()) {
            ASSERT_TRUE(data.writeFile(QStringLiteral("linewarden.html"), c.leftover));
        }

        EXPECT_TRUE(help.writeOut(Guide));
        EXPECT_TRUE(help.exists());
        EXPECT_EQ(data.readFile(QStringLiteral("linewarden.html")), Guide);

        help.remove();
        EXPECT_FALSE(QFileInfo::exists(help.path()));
        help.remove(); // nothing left to delete
    }
}

TEST(HelpFile, NothingWrittenWhereNoFileCanBe)
{
    TempDataDir data;
    // A folder standing at the help file's path cannot be deleted: it stays,
    // untouched, and is not taken for the guide.
    ASSERT_TRUE(QDir(data.path()).mkpath(QStringLiteral("held/linewarden.html")));
    ASSERT_TRUE(data.writeFile(QStringLiteral("held/linewarden.html/keep.txt"), "kept"));
    const HelpFile held(data.filePath(QStringLiteral("held/linewarden.html")));
    EXPECT_FALSE(held.writeOut(Guide));
    EXPECT_FALSE(held.exists());
    held.remove();
    EXPECT_EQ(data.readFile(QStringLiteral("held/linewarden.html/keep.txt")), QByteArray("kept"));

    // A folder that cannot be written to (here: one that does not exist;
    // root may write anywhere else) gets no help file and no error.
    const HelpFile nowhere(data.filePath(QStringLiteral("missing/linewarden.html")));
    EXPECT_FALSE(nowhere.writeOut(Guide));
    EXPECT_FALSE(nowhere.exists());
}

TEST(HelpFile, GuideCarriesItsPicturesInside)
{
    TempDataDir data;
    ASSERT_TRUE(data.writeFile(QStringLiteral("guide.html"),
        R"(<img src="toolbar.png" alt="a"><img src="absent.png"><a href="toolbar.png">x</a>)"));
    ASSERT_TRUE(data.writeFile(QStringLiteral("toolbar.png"), "PNGDATA"));

    const QString guide = QString::fromUtf8(SelfContainedGuide(data.path()));
    EXPECT_TRUE(guide.contains(QStringLiteral(R"(<img src="data:image/png;base64,UE5HREFUQQ==" alt="a">)")))
        << guide.toStdString();
    // A picture that is not there keeps its reference; links stay links.
    EXPECT_TRUE(guide.contains(QStringLiteral(R"(<img src="absent.png">)")));
    EXPECT_TRUE(guide.contains(QStringLiteral(R"(<a href="toolbar.png">)")));

    EXPECT_TRUE(SelfContainedGuide(data.filePath(QStringLiteral("none"))).isEmpty());
}

} // namespace
