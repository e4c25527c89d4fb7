#include "shell/program/data_folder.h"

#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST(DataFolder, OptionThenVariableThenProgramFolder)
{
    TempDataDir dir;
    const QString exe = dir.filePath(QStringLiteral("bin/linewarden"));
    ASSERT_TRUE(dir.writeFile(QStringLiteral("bin/linewarden"), "#!"));
    const QString other = dir.filePath(QStringLiteral("user"));

    EXPECT_EQ(DataFolder::Resolve({ dir.filePath(QStringLiteral("opt/")), other, exe, other }).path(),
        dir.filePath(QStringLiteral("opt")));
    EXPECT_EQ(DataFolder::Resolve({ QString(), dir.filePath(QStringLiteral("home")), exe, other }).path(),
        dir.filePath(QStringLiteral("home")));
    const DataFolder folder = DataFolder::Resolve({ QString(), QString(), exe, other });
    EXPECT_EQ(folder.path(), dir.filePath(QStringLiteral("bin")));
    EXPECT_EQ(folder.settingsFile(), dir.filePath(QStringLiteral("bin/linewarden.ini")));
    EXPECT_EQ(
        folder.programFile(QStringLiteral(".html")), dir.filePath(QStringLiteral("bin/linewarden.html")));
    EXPECT_EQ(folder.filePath(QStringLiteral("Capture")), dir.filePath(QStringLiteral("bin/Capture")));
}

TEST(DataFolder, SettingsFileFollowsTheProgramName)
{
    const DataFolder folder = DataFolder::Resolve(
        { QStringLiteral("/data"), QString(), QStringLiteral("/usr/bin/lw-test"), QString() });
    EXPECT_EQ(folder.settingsFile(), QStringLiteral("/data/lw-test.ini"));
}

TEST(DataFolder, UserDataFolderWhenTheProgramFolderIsNotWritable)
{
    TempDataDir dir;
    // A program folder that does not exist cannot be written to either; a
    // permission test would not hold for root.
    const QString exe = dir.filePath(QStringLiteral("missing/linewarden"));
    const DataFolder folder
        = DataFolder::Resolve({ QString(), QString(), exe, dir.filePath(QStringLiteral("user")) });
    EXPECT_EQ(folder.path(), dir.filePath(QStringLiteral("user")));
    EXPECT_TRUE(folder.ensureExists());
    EXPECT_TRUE(QDir(folder.path()).exists());
}

TEST(DataFolder, InstalledProgramKeepsItsFilesInTheUserDataFolder)
{
    // Installed into a prefix that root may write to: the desktop entry
    // beside the program folder marks the copy as installed, and its files
    // go to the user's folder all the same.
    TempDataDir dir;
    ASSERT_TRUE(dir.writeFile(QStringLiteral("prefix/bin/linewarden"), "#!"));
    const QString exe = dir.filePath(QStringLiteral("prefix/bin/linewarden"));
    const QString user = dir.filePath(QStringLiteral("user"));
    EXPECT_FALSE(DataFolder::IsInstalled(exe));
    ASSERT_TRUE(
        dir.writeFile(QStringLiteral("prefix/share/applications/linewarden.desktop"), "[Desktop Entry]"));
    EXPECT_TRUE(DataFolder::IsInstalled(exe));

    DataFolderInputs inputs { QString(), QString(), exe, user };
    inputs.installed = true;
    EXPECT_EQ(DataFolder::Resolve(inputs).path(), user);
    EXPECT_EQ(DataFolder::Resolve(inputs).settingsFile(), user + QStringLiteral("/linewarden.ini"));
    inputs.dataDirOption = dir.filePath(QStringLiteral("chosen"));
    EXPECT_EQ(DataFolder::Resolve(inputs).path(), dir.filePath(QStringLiteral("chosen")));
}

} // namespace
