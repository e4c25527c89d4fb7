#include "base/settings.h"

#include "base/date_time_pattern.h"
#include "support/fake_clock.h"
#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

const QLocale kUk(QLocale::English, QLocale::UnitedKingdom);
const QDateTime kNow(QDate(2026, 12, 9), QTime(14, 35, 27));

class SettingsTest : public ::testing::Test {
protected:
    SettingsContext context(const QLocale &locale = kUk, const QRect &primary = QRect(0, 0, 1920, 1080)) const
    {
        return SettingsContext { QStringLiteral("/opt/lw"), &clock, primary, locale };
    }
    QString ini() const { return dir.filePath(QStringLiteral("linewarden.ini")); }
    bool write(const QByteArray &bytes) const
    {
        return dir.writeFile(QStringLiteral("linewarden.ini"), bytes);
    }
    QByteArray stored() const { return dir.readFile(QStringLiteral("linewarden.ini")); }

    Settings loaded(const QLocale &locale = kUk) const
    {
        Settings settings(context(locale));
        settings.Load(ini());
        return settings;
    }

    TempDataDir dir;
    FakeClock clock { kNow };
};

TEST_F(SettingsTest, NoFileGivesTheDefaults)
{
    Settings settings(context());
    EXPECT_FALSE(settings.Load(ini()));
    EXPECT_EQ(settings.text(SettingKey::Address), QStringLiteral("192.168.1.254"));
    EXPECT_EQ(settings.integer(SettingKey::Type), -1);
    EXPECT_EQ(settings.integer(SettingKey::Sample), 30);
    EXPECT_TRUE(settings.flag(SettingKey::Login));
    EXPECT_EQ(settings.text(SettingKey::LogFile), QStringLiteral("/opt/lw/log.txt"));
    EXPECT_EQ(settings.text(SettingKey::Capture), QStringLiteral("/opt/lw/Capture"));
    EXPECT_EQ(settings.text(SettingKey::WebFolder), QStringLiteral("/opt/lw/WebServer"));
    EXPECT_EQ(settings.text(SettingKey::TrimTime), QStringLiteral("14:35"));
    EXPECT_EQ(settings.time(SettingKey::DeleteTime), QTime(14, 35, 27));
    EXPECT_EQ(settings.text(SettingKey::LogDateFormat), QStringLiteral("ddd dd mmm yyyy  hh:mm:ss"));
    EXPECT_EQ(settings.text(SettingKey::ThreeD), QStringLiteral("00000"));
    // An 850 by 650 window centred on the primary monitor.
    EXPECT_EQ(settings.integer(SettingKey::Width), 850);
    EXPECT_EQ(settings.integer(SettingKey::Height), 650);
    EXPECT_EQ(settings.integer(SettingKey::Left), 535);
    EXPECT_EQ(settings.integer(SettingKey::Top), 215);
    EXPECT_EQ(settings.integer(SettingKey::C1Lx), 10);
    EXPECT_EQ(settings.integer(SettingKey::C3L), 0);
    EXPECT_EQ(settings.integer(SettingKey::C5R), -2);
}

// The default place centres an 850 by 650 window on the primary monitor,
// wherever that monitor lies on the desktop.
TEST_F(SettingsTest, DefaultPlaceIsOnThePrimaryMonitor)
{
    const struct {
        QRect primary;
        int left;
        int top;
    } cases[] = {
        { QRect(0, 0, 1920, 1080), 535, 215 },
        { QRect(1920, 0, 1920, 1080), 2455, 215 }, // right of the other monitor
        { QRect(-1280, 0, 1280, 1024), -1065, 187 }, // left of it
        { QRect(0, 1080, 1366, 768), 258, 1139 }, // below it
        { QRect(3, 5, 1367, 769), 261, 64 }, // odd sizes: halves round down
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.primary.x());
        const Settings settings(context(kUk, c.primary));
        EXPECT_EQ(settings.integer(SettingKey::Left), c.left);
        EXPECT_EQ(settings.integer(SettingKey::Top), c.top);
    }
}

// A value unlike the default for every key, by its type.
void SetEveryKey(Settings &settings)
{
    int n = 0;
    for (const SettingRow &row : SettingTable()) {
        ++n;
        switch (row.type) {
        case SettingType::Integer:
            settings.setInteger(row.key, -n * 37);
            break;
        case SettingType::Boolean:
            settings.setFlag(row.key, !settings.flag(row.key));
            break;
        case SettingType::String:
            settings.setText(row.key, QStringLiteral("%1 %2 = é ü").arg(row.name).arg(n));
            break;
        case SettingType::Password:
            settings.setText(row.key, QStringLiteral("pa ss=wörd!"));
            break;
        case SettingType::TimeOfDay:
            settings.setTime(row.key, QTime(3, 4, 5));
            break;
        }
    }
    settings.setFlag(SettingKey::SaveAxes, true);
}

TEST_F(SettingsTest, EveryKeyComesBackAsSaved)
{
    Settings saved(context());
    SetEveryKey(saved);
    ASSERT_TRUE(saved.SaveIni(ini()));

    const Settings back = loaded();
    for (const SettingRow &row : SettingTable()) {
        SCOPED_TRACE(row.name.data());
        switch (row.type) {
        case SettingType::Integer:
            EXPECT_EQ(back.integer(row.key), saved.integer(row.key));
            break;
        case SettingType::Boolean:
            EXPECT_EQ(back.flag(row.key), saved.flag(row.key));
            break;
        case SettingType::String:
        case SettingType::Password:
            EXPECT_EQ(back.text(row.key), saved.text(row.key));
            break;
        case SettingType::TimeOfDay:
            EXPECT_EQ(back.time(row.key), saved.time(row.key));
            break;
        }
    }
}

TEST_F(SettingsTest, FirstSaveWritesTheKeyTableInOrder)
{
    ASSERT_TRUE(Settings(context()).SaveIni(ini()));
    const QList<QByteArray> lines = stored().split('\n');
    QList<QByteArray> expected;
    QLatin1String section;
    for (const SettingRow &row : SettingTable()) {
        if (IsAxisKey(row.key))
            continue; // SaveAxes is clear
        if (row.section != section) {
            section = row.section;
            expected << '[' + QByteArray(section.data(), section.size()) + ']';
        }
        expected << QByteArray(row.name.data(), row.name.size());
    }
    ASSERT_EQ(lines.size(), expected.size() + 1);
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(lines[i] == expected[i] || lines[i].startsWith(expected[i] + '='))
            << lines[i].constData();
    EXPECT_TRUE(stored().contains("\nTrimTime=14:35\n"));
    EXPECT_TRUE(stored().contains("\nDeleteTime=14:35:27\n"));
}

TEST_F(SettingsTest, ReadsNumbersAsTheProfileServiceDid)
{
    ASSERT_TRUE(write("[Log]\nTrimLines=0x3E8\n[Capture]\nDeleteDays=$A\n[LW-BT]\n"
                      "Sample=-12\nUser1=4x\nType=  1\n[LW-Form]\nWidth=99999999999\n"));
    const Settings settings = loaded();
    EXPECT_EQ(settings.integer(SettingKey::TrimLines), 1000);
    EXPECT_EQ(settings.integer(SettingKey::DeleteDays), 10);
    EXPECT_EQ(settings.integer(SettingKey::Sample), -12);
    EXPECT_EQ(settings.integer(SettingKey::User1), 4);
    EXPECT_EQ(settings.integer(SettingKey::Type), 1);
    EXPECT_EQ(settings.integer(SettingKey::Width), 850);
}

// A boolean reads as an integer: every number but 0 is true, a text that is
// no 32-bit number gives the key's default (0 for ShowPlain, 1 for Prompt),
// and the save writes "1" or "0".
TEST_F(SettingsTest, ABooleanIsTrueForEveryNumberButZero)
{
    const struct {
        const char *stored;
        bool showPlain, prompt;
    } cases[] = {
        { "-1", true, true },
        { "0", false, false },
        { "1", true, true },
        { "2", true, true },
        { "-2147483648", true, true },
        { "$FFFFFFFF", true, true },
        { "0x0", false, false },
        { "-0", false, false },
        { "yes", false, true },
        { "", false, true },
        { "2147483648", false, true },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored);
        const QByteArray value(c.stored);
        ASSERT_TRUE(write("[LW-BT]\nShowPlain=" + value + "\nPrompt=" + value + "\n"));
        const Settings settings = loaded();
        EXPECT_EQ(settings.flag(SettingKey::ShowPlain), c.showPlain);
        EXPECT_EQ(settings.flag(SettingKey::Prompt), c.prompt);
        ASSERT_TRUE(settings.SaveIni(ini()));
        EXPECT_TRUE(stored().contains(QByteArray("\nShowPlain=") + (c.showPlain ? "1" : "0") + '\n'));
        EXPECT_TRUE(stored().contains(QByteArray("\nPrompt=") + (c.prompt ? "1" : "0") + '\n'));
    }
}

// The settings file is UTF-8 without a byte order mark: one left by an
// editor does not hide the first section, and the save leaves it out.
TEST_F(SettingsTest, AByteOrderMarkIsReadPastAndNotSaved)
{
    const QByteArray files[] = {
        "\xEF\xBB\xBF[LW-BT]\nAddress=10.1.1.1\n",
        "\xEF\xBB\xBF[LW-BT]\r\nAddress=10.1.1.1\r\n",
        "\xEF\xBB\xBF",
    };
    for (const QByteArray &file : files) {
        SCOPED_TRACE(file.toPercentEncoding().toStdString());
        ASSERT_TRUE(write(file));
        const Settings settings = loaded();
        if (file.size() > 3) {
            EXPECT_EQ(settings.text(SettingKey::Address), QStringLiteral("10.1.1.1"));
        }
        ASSERT_TRUE(settings.SaveIni(ini()));
        EXPECT_TRUE(stored().startsWith("[LW-BT]")) << stored().left(12).toPercentEncoding().constData();
        EXPECT_FALSE(stored().contains("\xEF\xBB\xBF"));
    }
}

TEST_F(SettingsTest, StoresThePasswordScrambled)
{
    Settings settings(context());
    settings.setText(SettingKey::Password, QStringLiteral("abc"));
    ASSERT_TRUE(settings.SaveIni(ini()));
    EXPECT_TRUE(stored().contains("\nPassword=\x9E\x9D\x9C\n"));
    EXPECT_EQ(loaded().text(SettingKey::Password), QStringLiteral("abc"));

    settings.setText(SettingKey::Password, QString());
    ASSERT_TRUE(settings.SaveIni(ini()));
    EXPECT_TRUE(stored().contains("\nPassword=\n"));

    EXPECT_EQ(EnDeCrypt(EnDeCrypt("any text")), QByteArray("any text"));
}

TEST_F(SettingsTest, KeepsAStoredPasswordThatIsNotUtf8)
{
    // Scrambled Latin-1 "café" from an older settings file.
    const QByteArray scrambled = EnDeCrypt("caf\xE9");
    ASSERT_TRUE(write("[LW-BT]\nPassword=" + scrambled + "\n"));
    ASSERT_TRUE(loaded().SaveIni(ini()));
    EXPECT_TRUE(stored().contains("\nPassword=" + scrambled + "\n"));
}

// The twenty axis keys as the file names them, in the load order, with the
// limits they hold while SaveAxes is clear.
const struct {
    const char *name;
    int fixed;
} kAxisKeys[] = {
    { "C1Lx", 10 },
    { "C1Rx", 10 },
    { "C5Lx", 10 },
    { "C5Rx", 10 },
    { "C2Lx", 20 },
    { "C2Rx", 20 },
    { "C3Lx", 20 },
    { "C3Rx", 20 },
    { "C4Lx", 20 },
    { "C4Rx", 20 },
    { "C1L", -2 },
    { "C1R", -2 },
    { "C5L", -2 },
    { "C5R", -2 },
    { "C2L", 0 },
    { "C2R", 0 },
    { "C3L", 0 },
    { "C3R", 0 },
    { "C4L", 0 },
    { "C4R", 0 },
};

SettingKey KeyNamed(const char *name)
{
    for (const SettingRow &row : SettingTable())
        if (row.name == QLatin1String(name))
            return row.key;
    ADD_FAILURE() << "no key " << name;
    return SettingKey::SaveAxes;
}

// Every axis key, the last one read (C4R) included, is read and written only
// while SaveAxes is set; a save without it leaves the file's keys alone. A
// limit is written truncated toward zero.
TEST_F(SettingsTest, EveryAxisKeyIsReadAndWrittenOnlyWhileSaveAxesIsSet)
{
    QByteArray axes;
    for (int i = 0; i < 20; ++i)
        axes += QByteArray(kAxisKeys[i].name) + '=' + QByteArray::number(100 + i) + '\n';
    for (const bool saveAxes : { false, true }) {
        SCOPED_TRACE(saveAxes);
        ASSERT_TRUE(write(QByteArray("[LW-BT]\nSaveAxes=") + (saveAxes ? "1" : "0") + '\n' + axes));
        Settings settings = loaded();
        for (int i = 0; i < 20; ++i) {
            const auto &key = kAxisKeys[i];
            const bool maximum = QByteArray(key.name).endsWith('x');
            EXPECT_EQ(settings.integer(KeyNamed(key.name)), saveAxes ? 100 + i : key.fixed) << key.name;
            settings.setAxisLimit(KeyNamed(key.name), maximum ? 9.7 : -1.5);
        }
        ASSERT_TRUE(settings.SaveIni(ini()));
        for (int i = 0; i < 20; ++i) {
            const QByteArray name(kAxisKeys[i].name);
            const QByteArray written = QByteArray::number(!saveAxes ? 100 + i : name.endsWith('x') ? 9 : -1);
            EXPECT_TRUE(stored().contains('\n' + name + '=' + written + '\n')) << name.constData();
        }
    }

    // Keys missing from the file read as the fixed limits.
    ASSERT_TRUE(write("[LW-BT]\nSaveAxes=1\n"));
    const Settings absent = loaded();
    for (const auto &key : kAxisKeys)
        EXPECT_EQ(absent.integer(KeyNamed(key.name)), key.fixed) << key.name;

    // A first save without SaveAxes writes none of them.
    ASSERT_TRUE(QFile::remove(ini()));
    ASSERT_TRUE(Settings(context()).SaveIni(ini()));
    for (const auto &key : kAxisKeys)
        EXPECT_FALSE(stored().contains('\n' + QByteArray(key.name) + '=')) << key.name;
}

TEST_F(SettingsTest, NamesTheAxisKeys)
{
    EXPECT_EQ(AxisKey(1, AxisSide::Left, AxisLimit::Maximum), SettingKey::C1Lx);
    EXPECT_EQ(AxisKey(5, AxisSide::Right, AxisLimit::Maximum), SettingKey::C5Rx);
    EXPECT_EQ(AxisKey(3, AxisSide::Left, AxisLimit::Minimum), SettingKey::C3L);
    EXPECT_EQ(AxisKey(4, AxisSide::Right, AxisLimit::Minimum), SettingKey::C4R);
    EXPECT_EQ(FixedAxisLimit(SettingKey::C5Lx), 10);
    EXPECT_EQ(FixedAxisLimit(SettingKey::C2Rx), 20);
    EXPECT_EQ(FixedAxisLimit(SettingKey::C1R), -2);
    EXPECT_EQ(FixedAxisLimit(SettingKey::C4L), 0);
    EXPECT_EQ(TruncatedAxisLimit(-0.9), 0);
    EXPECT_EQ(TruncatedAxisLimit(1e12), 2147483647);
}

TEST_F(SettingsTest, LoadOrderReplaysEveryKeyOnce)
{
    const std::vector<SettingKey> &order = LoadOrder();
    EXPECT_EQ(order.size(), kSettingKeyCount);
    const auto at
        = [&](SettingKey key) { return std::find(order.begin(), order.end(), key) - order.begin(); };
    EXPECT_EQ(order.front(), SettingKey::Width);
    // Web starts the server on the stored folder, address and port.
    for (const SettingKey key : { SettingKey::WebFolder, SettingKey::WebAddress, SettingKey::Port,
             SettingKey::webWidth, SettingKey::webHeight, SettingKey::Metrics })
        EXPECT_LT(at(key), at(SettingKey::Web));
    EXPECT_LT(at(SettingKey::cbCapture), at(SettingKey::LostSync)); // both set: only LostSync stays
    EXPECT_EQ(at(SettingKey::SaveAxes) + 1, at(SettingKey::C1Lx));
    EXPECT_EQ(at(SettingKey::C4R) + 1, at(SettingKey::ThreeD));
    EXPECT_LT(at(SettingKey::LogFile), at(SettingKey::cbLog));
    for (const SettingRow &row : SettingTable())
        EXPECT_EQ(std::count(order.begin(), order.end(), row.key), 1) << row.name.data();
}

// Every key in the order it is read and applied, section by section; the
// Metrics key, left out of the list, goes with the web server's keys.
TEST_F(SettingsTest, LoadOrderIsTheFixedOne)
{
    const QStringList expected = QStringLiteral(
        "LW-Form/Width LW-Form/Height LW-Form/Top LW-Form/Left "
        "LW-BT/Address LW-BT/Password LW-BT/ShowPlain LW-BT/Login LW-BT/Type LW-BT/ActualUrl "
        "LW-BT/Sample LW-BT/PointsperPage "
        "Capture/Capture Capture/cbCapture Capture/OnClose "
        "LW-BT/User1 LW-BT/User2 LW-BT/Total1 LW-BT/LastHour1 LW-BT/Total2 LW-BT/LastHour2 "
        "LW-BT/Prompt LW-BT/Minimize LW-BT/SaveAxes "
        "LW-BT/C1Lx LW-BT/C1Rx LW-BT/C5Lx LW-BT/C5Rx LW-BT/C2Lx LW-BT/C2Rx LW-BT/C3Lx LW-BT/C3Rx "
        "LW-BT/C4Lx LW-BT/C4Rx LW-BT/C1L LW-BT/C1R LW-BT/C5L LW-BT/C5R LW-BT/C2L LW-BT/C2R "
        "LW-BT/C3L LW-BT/C3R LW-BT/C4L LW-BT/C4R LW-BT/3D "
        "Capture/LostSync "
        "Log/LogFile Log/cbLog "
        "LW-BT/Page "
        "Log/TrimLog Log/TrimLines Log/TrimTime "
        "Capture/DeleteImages Capture/DeleteDays Capture/DeleteTime "
        "Advanced/LogTab Advanced/ImagePrefix Advanced/Recycle Advanced/AddPrefix "
        "Advanced/ImageDateFormat Advanced/LogDateFormat Advanced/PauseDelay Advanced/Monitor1 "
        "Advanced/HHAUrl Advanced/HHBUrl Advanced/WebFolder Advanced/DateStamp "
        "WebServer/Address WebServer/Port WebServer/webWidth WebServer/webHeight WebServer/Web "
        "Advanced/NotifyEvents Advanced/HistoryAtStart Log/HistoryDays")
                                     .split(QLatin1Char(' '));
    QStringList loaded;
    for (const SettingKey key : LoadOrder()) {
        const SettingRow &row = RowOf(key);
        if (key != SettingKey::Metrics)
            loaded << QString(row.section) + QLatin1Char('/') + QString(row.name);
    }
    EXPECT_EQ(loaded, expected);
    const auto at = [](SettingKey key) { return std::find(LoadOrder().begin(), LoadOrder().end(), key); };
    EXPECT_LT(at(SettingKey::webHeight), at(SettingKey::Metrics));
}

TEST_F(SettingsTest, BothCaptureFlagsAreReadAsStored)
{
    ASSERT_TRUE(write("[Capture]\ncbCapture=1\nLostSync=1\n"));
    const Settings settings = loaded();
    EXPECT_TRUE(settings.flag(SettingKey::cbCapture));
    EXPECT_TRUE(settings.flag(SettingKey::LostSync));
}

TEST_F(SettingsTest, SaveKeepsUnknownSectionsAndKeys)
{
    ASSERT_TRUE(write("; notes\r\n[LW-BT]\r\nAddress=10.1.1.1\r\nFuture=on\r\n\r\n[Plugins]\r\nx=1\r\n"));
    Settings settings = loaded();
    EXPECT_EQ(settings.text(SettingKey::Address), QStringLiteral("10.1.1.1"));
    settings.setText(SettingKey::Address, QStringLiteral("10.2.2.2"));
    ASSERT_TRUE(settings.SaveIni(ini()));
    const QByteArray bytes = stored();
    EXPECT_TRUE(bytes.startsWith("; notes\r\n[LW-BT]\r\nAddress=10.2.2.2\r\nFuture=on\r\nPassword=\r\n"));
    EXPECT_TRUE(bytes.contains("\r\n[Plugins]\r\nx=1\r\n"));
}

TEST_F(SettingsTest, LongStringsAreCutWhenReadAndSaveTheSameTwice)
{
    ASSERT_TRUE(write("[Advanced]\nImagePrefix=" + QByteArray(3000, 'p') + "\n"));
    EXPECT_EQ(loaded().text(SettingKey::ImagePrefix).size(), 2047);

    // A cut that ends in blanks leaves them out, or the next read would drop
    // them and the second save would differ from the first.
    const QByteArray longAndBlank = QByteArray(2045, 'a') + " \t b";
    ASSERT_TRUE(write("[LW-BT]\nAddress=" + longAndBlank + "\nPassword=" + longAndBlank + "\n"));
    EXPECT_EQ(loaded().text(SettingKey::Address), QString(2045, u'a'));
    ASSERT_TRUE(loaded().SaveIni(ini()));
    const QByteArray firstSave = stored();
    ASSERT_TRUE(loaded().SaveIni(ini()));
    EXPECT_EQ(stored(), firstSave);
    EXPECT_TRUE(firstSave.contains("\nPassword=" + QByteArray(2045, 'a') + "\n"));
}

TEST_F(SettingsTest, DeleteTimeRoundTripsInEveryLocale)
{
    const QLocale locales[] = { kUk, QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c(),
        QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::Finnish), QLocale(QLocale::Korean),
        QLocale(QLocale::Arabic, QLocale::Egypt), QLocale(QLocale::Chinese, QLocale::China) };
    for (const QLocale &locale : locales) {
        SCOPED_TRACE(locale.name().toStdString());
        for (const QTime time : { QTime(0, 0, 0), QTime(9, 5, 7), QTime(12, 30, 0), QTime(23, 59, 59) }) {
            Settings settings(context(locale));
            settings.setTime(SettingKey::DeleteTime, time);
            ASSERT_TRUE(settings.SaveIni(ini()));
            EXPECT_EQ(loaded(locale).time(SettingKey::DeleteTime), time) << stored().constData();
        }
    }
}

TEST_F(SettingsTest, AStoredTimeThatIsNoTimeSchedulesNothing)
{
    ASSERT_TRUE(write("[Log]\nTrimTime=soon\n[Capture]\nDeleteTime=tea time\n"));
    Settings settings = loaded();
    EXPECT_FALSE(settings.time(SettingKey::DeleteTime).isValid());
    EXPECT_FALSE(settings.trimTimeOfDay().has_value());
    // The save leaves the unreadable text for the user to see and mend.
    ASSERT_TRUE(settings.SaveIni(ini()));
    EXPECT_TRUE(stored().contains("\nDeleteTime=tea time\n"));

    settings.setText(SettingKey::TrimTime, settings.trimTimeText(QTime(7, 5)));
    EXPECT_EQ(settings.text(SettingKey::TrimTime), QStringLiteral("07:05"));
    EXPECT_EQ(settings.trimTimeOfDay(), QTime(7, 5));
}

TEST_F(SettingsTest, AFailedSaveSaysSoAndLeavesTheFile)
{
    ASSERT_TRUE(write("[LW-BT]\nAddress=10.1.1.1\n"));
    Settings settings = loaded();
    EXPECT_FALSE(settings.SaveIni(dir.filePath(QStringLiteral("gone/linewarden.ini"))));
    EXPECT_EQ(Settings::SaveFailedText(QStringLiteral("/x/linewarden.ini")),
        QStringLiteral("Unable to write to /x/linewarden.ini"));
    // A settings path that cannot be read is not written over either.
    EXPECT_FALSE(settings.Load(dir.path()));
    EXPECT_FALSE(settings.SaveIni(dir.path()));
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
}

TEST_F(SettingsTest, SkipsValuesThatCannotBeHeldOnOneLine)
{
    ASSERT_TRUE(write("[Advanced]\nImagePrefix=Old-\n"));
    Settings settings = loaded();
    settings.setText(SettingKey::ImagePrefix, QStringLiteral("a\n[LW-BT]\nAddress=evil"));
    ASSERT_TRUE(settings.SaveIni(ini()));
    EXPECT_TRUE(stored().contains("\nImagePrefix=Old-\n"));
    EXPECT_EQ(loaded().text(SettingKey::Address), QStringLiteral("192.168.1.254"));
}

} // namespace
