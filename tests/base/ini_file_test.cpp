#include "base/ini_file.h"

#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

IniFile Parsed(const QByteArray &bytes)
{
    IniFile file;
    file.parse(bytes);
    return file;
}

TEST(IniFile, FindsSectionsAndKeysWhateverTheirCase)
{
    const IniFile file = Parsed("[LW-BT]\r\n  Address = 10.0.0.1  \r\nsample=45\r\nSample=99\r\n"
                                "[log]\r\nLogFile=/tmp/a=b.txt\r\n");
    EXPECT_EQ(file.value("lw-bt", "ADDRESS"), QByteArray("10.0.0.1"));
    EXPECT_EQ(file.value("LW-BT", "Sample"), QByteArray("45")); // the first one wins
    EXPECT_EQ(file.value("Log", "logfile"), QByteArray("/tmp/a=b.txt"));
    EXPECT_FALSE(file.value("Log", "Address").has_value());
    EXPECT_FALSE(file.value("Missing", "Address").has_value());
}

TEST(IniFile, KeepsWhatItDoesNotKnowAndPlacesNewKeys)
{
    const QByteArray original = "; hand-written notes\n[LW-BT]\nAddress=1.2.3.4\nMine=kept\n\n"
                                "[Other]\nwhatever\nx=1\n";
    IniFile file = Parsed(original);
    EXPECT_EQ(file.toBytes(), original);

    ASSERT_TRUE(file.setValue("lw-bt", "Address", "5.6.7.8"));
    ASSERT_TRUE(file.setValue("LW-BT", "Sample", "30"));
    ASSERT_TRUE(file.setValue("Log", "cbLog", "1"));
    EXPECT_EQ(file.toBytes(),
        QByteArray("; hand-written notes\n[LW-BT]\nAddress=5.6.7.8\nMine=kept\nSample=30\n\n"
                   "[Other]\nwhatever\nx=1\n[Log]\ncbLog=1\n"));
}

TEST(IniFile, KeepsBytesThatAreNotText)
{
    const QByteArray scrambled("\x9E\x9D\x9C\xFF\x81", 5);
    IniFile file = Parsed("[LW-BT]\r\nPassword=" + scrambled + "\r\n");
    EXPECT_EQ(file.value("LW-BT", "Password"), scrambled);
    // Line ends of the file are kept too.
    EXPECT_EQ(file.toBytes(), "[LW-BT]\r\nPassword=" + scrambled + "\r\n");
}

// Whatever the file holds, what the INI layer writes reads back to the same
// bytes, so saving twice changes nothing (stray CRs at line ends included).
TEST(IniFile, WritesWhatReadsBackUnchanged)
{
    const QByteArray files[] = {
        "; c\n[LW-BT]\r\nk=v\r\r\nx\r\r\r\n",
        "[A]\r\nk=v\r\r\nlast\r",
        "\xEF\xBB\xBF[A]\nk=a\rb\n\r\n",
        "\xEF\xBB\xBF\xEF\xBB\xBF[A]\nk=v\n",
    };
    for (const QByteArray &bytes : files) {
        const QByteArray once = Parsed(bytes).toBytes();
        EXPECT_EQ(Parsed(once).toBytes(), once) << bytes.toPercentEncoding().toStdString();
    }
    EXPECT_EQ(Parsed("[A]\nk=v\r\r\n").value("A", "k"), QByteArray("v"));
}

TEST(IniFile, RefusesValuesThatWouldBreakTheLine)
{
    IniFile file = Parsed("[A]\nk=old\n");
    EXPECT_FALSE(file.setValue("A", "k", "new\n[B]\nx=1"));
    EXPECT_FALSE(file.setValue("A", "k", QByteArray("a\0b", 3)));
    EXPECT_FALSE(file.setValue("A", "k", "a\rb"));
    EXPECT_EQ(file.toBytes(), QByteArray("[A]\nk=old\n"));
}

TEST(IniFile, SavesWholeFilesForTheOwnerOnly)
{
    TempDataDir dir;
    ASSERT_TRUE(dir.writeFile(QStringLiteral("s.ini"), "[A]\nold=1\n"));
    QFile::setPermissions(dir.filePath(QStringLiteral("s.ini")),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);

    IniFile file;
    ASSERT_EQ(file.load(dir.filePath(QStringLiteral("s.ini"))), IniFile::LoadResult::Read);
    file.setValue("A", "new", "2");
    ASSERT_TRUE(file.save(dir.filePath(QStringLiteral("s.ini"))));
    EXPECT_EQ(dir.readFile(QStringLiteral("s.ini")), QByteArray("[A]\nold=1\nnew=2\n"));
    const auto groupOrOther
        = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    const QFileDevice::Permissions mode = QFileInfo(dir.filePath(QStringLiteral("s.ini"))).permissions();
    EXPECT_TRUE(mode.testFlag(QFileDevice::ReadOwner) && mode.testFlag(QFileDevice::WriteOwner));
    EXPECT_FALSE(mode & groupOrOther);

    // A fresh file gets the same mode; nothing but the file is left behind.
    IniFile fresh;
    fresh.setValue("B", "k", "v");
    ASSERT_TRUE(fresh.save(dir.filePath(QStringLiteral("fresh.ini"))));
    EXPECT_FALSE(QFileInfo(dir.filePath(QStringLiteral("fresh.ini"))).permissions() & groupOrOther);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST(IniFile, ReportsFilesItCannotReadOrWrite)
{
    TempDataDir dir;
    IniFile file;
    EXPECT_EQ(file.load(dir.filePath(QStringLiteral("none.ini"))), IniFile::LoadResult::Missing);
    EXPECT_TRUE(file.isEmpty());
    // A folder where the file should be cannot be read as one.
    EXPECT_EQ(file.load(dir.path()), IniFile::LoadResult::Failed);

    file.setValue("A", "k", "v");
    EXPECT_FALSE(file.save(dir.filePath(QStringLiteral("no/such/folder/s.ini"))));
    EXPECT_FALSE(file.errorString().isEmpty());
}

} // namespace
