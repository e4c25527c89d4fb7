#include "base/settings_schema.h"

#include "base/clock.h"
#include "base/date_time_pattern.h"
#include "base/int_parsing.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace {

using S = SettingKey;
using T = SettingType;

constexpr QLatin1String L(const char *text)
{
    return QLatin1String(text);
}

constexpr QLatin1String kLwBt("LW-BT");
constexpr QLatin1String kLog("Log");
constexpr QLatin1String kCapture("Capture");
constexpr QLatin1String kAdvanced("Advanced");
constexpr QLatin1String kWebServer("WebServer");
constexpr QLatin1String kForm("LW-Form");
constexpr QLatin1String kSetting("");
constexpr QLatin1String kAxis("axis");

QDateTime NowIn(const SettingsContext &context)
{
    return (context.clock ? *context.clock : Clock::system()).now();
}

// The value of a default text, read as the file's text would be.
QVariant FromText(SettingType type, const char *text)
{
    const QString value = QString::fromUtf8(text);
    switch (type) {
    case T::Integer:
        return StrToIntDef(value, 0);
    case T::Boolean:
        return StrToIntDef(value, 0) != 0;
    case T::String:
    case T::Password:
        return value;
    case T::TimeOfDay:
        return QTime();
    }
    return QVariant();
}

QVariant InProgramFolder(const SettingsContext &context, const SettingRow &row)
{
    return context.programFolder + QString::fromUtf8(row.defaultText);
}

QVariant TrimTimeNow(const SettingsContext &context, const SettingRow &)
{
    return FormatDateTime(QStringLiteral("HH:mm"), NowIn(context), context.locale);
}

// The stored text carries whole seconds only.
QVariant DeleteTimeNow(const SettingsContext &context, const SettingRow &)
{
    const QTime now = NowIn(context).time();
    return QTime(now.hour(), now.minute(), now.second());
}

// With the default size, the window sits in the middle of the primary
// monitor, wherever that monitor lies on the desktop.
QVariant CentredTop(const SettingsContext &context, const SettingRow &)
{
    const QRect &screen = context.primaryScreen;
    return screen.y() + screen.height() / 2 - DefaultOf(S::Height, context).toInt() / 2;
}

QVariant CentredLeft(const SettingsContext &context, const SettingRow &)
{
    const QRect &screen = context.primaryScreen;
    return screen.x() + screen.width() / 2 - DefaultOf(S::Width, context).toInt() / 2;
}

QVariant AxisDefault(const SettingsContext &, const SettingRow &row)
{
    return FixedAxisLimit(row.key);
}

// One row per key, in SaveIni's order. The second column is the key's place
// in the load order, 0 first. Applying a value can change others, so the
// places matter: LostSync comes after cbCapture (both set leaves only
// LostSync), the axis keys right after SaveAxes, and Web after every other
// key of the server, so a stored Web of 1 starts the server on the stored
// address and port.
constexpr SettingRow kRows[] = {
    { S::Address, 4, kLwBt, L("Address"), T::String, L("edAddress"), "192.168.1.254", nullptr },
    { S::Password, 5, kLwBt, L("Password"), T::Password, L("edPassword1"), "", nullptr },
    { S::ShowPlain, 6, kLwBt, L("ShowPlain"), T::Boolean, L("cbShowPlain"), "0", nullptr },
    { S::Login, 7, kLwBt, L("Login"), T::Boolean, L("cbAttemptLogin1"), "1", nullptr },
    { S::Type, 8, kLwBt, L("Type"), T::Integer, L("boxType1"), "-1", nullptr },
    { S::ActualUrl, 9, kLwBt, L("ActualUrl"), T::String, L("navigationUrl"), "", nullptr },
    { S::Sample, 10, kLwBt, L("Sample"), T::Integer, L("spSample"), "30", nullptr },
    { S::PointsperPage, 11, kLwBt, L("PointsperPage"), T::Integer, L("spPointsPerPage"), "480", nullptr },
    { S::User1, 15, kLwBt, L("User1"), T::Integer, L("boxUser1"), "4", nullptr },
    { S::User2, 16, kLwBt, L("User2"), T::Integer, L("boxUser2"), "5", nullptr },
    { S::Total1, 17, kLwBt, L("Total1"), T::Boolean, L("rbTotal1"), "1", nullptr },
    { S::LastHour1, 18, kLwBt, L("LastHour1"), T::Boolean, L("rbLastHour1"), "0", nullptr },
    { S::Total2, 19, kLwBt, L("Total2"), T::Boolean, L("rbTotal2"), "1", nullptr },
    { S::LastHour2, 20, kLwBt, L("LastHour2"), T::Boolean, L("rbLastHour2"), "0", nullptr },
    { S::Prompt, 21, kLwBt, L("Prompt"), T::Boolean, L("cbPrompt"), "1", nullptr },
    { S::Minimize, 22, kLwBt, L("Minimize"), T::Boolean, L("cbMinimize"), "0", nullptr },
    { S::SaveAxes, 23, kLwBt, L("SaveAxes"), T::Boolean, L("cbSaveAxes"), "0", nullptr },
    { S::C1Lx, 24, kLwBt, L("C1Lx"), T::Integer, kAxis, nullptr, &AxisDefault },
    { S::C1Rx, 25, kLwBt, L("C1Rx"), T::Integer, kAxis, nullptr, &AxisDefault },
    { S::C5Lx, 26, kLwBt, L("C5Lx"), T::Integer, kAxis, nullptr, &AxisDefault },
    { S::C5Rx, 27, kLwBt, L("C5Rx"), T::Integer, kAxis, nullptr, &AxisDefault },
    { S::C2Lx, 28, kLwBt, L("C2Lx"), T::Integer, kAxis, nullptr, &AxisDefault },
    { S::C2Rx, 29, kLwBt, L("C2Rx"), T::Integer, kAxis, nullptr, &AxisDefault },
    { S::C3Lx, 30, kLwBt, L("C3Lx"), T::Integer, kAxis, nullptr, &AxisDefault },
    { S::C3Rx, 31, kLwBt, L("C3Rx"), T::Integer, kAxis, nullptr, &AxisDefault },
    { S::C4Lx, 32, kLwBt, L("C4Lx"), T::Integer, kAxis, nullptr, &AxisDefault },
    { S::C4Rx, 33, kLwBt, L("C4Rx"), T::Integer, kAxis, nullptr, &AxisDefault },
    { S::C1L, 34, kLwBt, L("C1L"), T::Integer, kAxis, nullptr, &AxisDefault },
    { S::C1R, 35, kLwBt, L("C1R"), T::Integer, kAxis, nullptr, &AxisDefault },
    { S::C5L, 36, kLwBt, L("C5L"), T::Integer, kAxis, nullptr, &AxisDefault },
    { S::C5R, 37, kLwBt, L("C5R"), T::Integer, kAxis, nullptr, &AxisDefault },
    { S::C2L, 38, kLwBt, L("C2L"), T::Integer, kAxis, nullptr, &AxisDefault },
    { S::C2R, 39, kLwBt, L("C2R"), T::Integer, kAxis, nullptr, &AxisDefault },
    { S::C3L, 40, kLwBt, L("C3L"), T::Integer, kAxis, nullptr, &AxisDefault },
    { S::C3R, 41, kLwBt, L("C3R"), T::Integer, kAxis, nullptr, &AxisDefault },
    { S::C4L, 42, kLwBt, L("C4L"), T::Integer, kAxis, nullptr, &AxisDefault },
    { S::C4R, 43, kLwBt, L("C4R"), T::Integer, kAxis, nullptr, &AxisDefault },
    { S::ThreeD, 44, kLwBt, L("3D"), T::String, kSetting, "00000", nullptr },
    { S::Page, 48, kLwBt, L("Page"), T::Integer, L("PageControl1"), "0", nullptr },
    { S::cbLog, 47, kLog, L("cbLog"), T::Boolean, L("cbLog"), "0", nullptr },
    { S::LogFile, 46, kLog, L("LogFile"), T::String, L("edLog"), "/log.txt", &InProgramFolder },
    { S::TrimLog, 49, kLog, L("TrimLog"), T::Boolean, kSetting, "0", nullptr },
    { S::TrimLines, 50, kLog, L("TrimLines"), T::Integer, kSetting, "1000", nullptr },
    { S::TrimTime, 51, kLog, L("TrimTime"), T::String, kSetting, nullptr, &TrimTimeNow },
    { S::HistoryDays, 75, kLog, L("HistoryDays"), T::Integer, kSetting, "31", nullptr },
    { S::Capture, 12, kCapture, L("Capture"), T::String, L("edCapture"), "/Capture", &InProgramFolder },
    { S::cbCapture, 13, kCapture, L("cbCapture"), T::Boolean, L("cbCapture"), "0", nullptr },
    { S::LostSync, 45, kCapture, L("LostSync"), T::Boolean, L("cbOnlyIfLost"), "0", nullptr },
    { S::OnClose, 14, kCapture, L("OnClose"), T::Boolean, L("cbCaptureOnClose"), "0", nullptr },
    { S::DeleteImages, 52, kCapture, L("DeleteImages"), T::Boolean, kSetting, "0", nullptr },
    { S::DeleteDays, 53, kCapture, L("DeleteDays"), T::Integer, kSetting, "5", nullptr },
    { S::DeleteTime, 54, kCapture, L("DeleteTime"), T::TimeOfDay, kSetting, nullptr, &DeleteTimeNow },
    { S::LogTab, 55, kAdvanced, L("LogTab"), T::Integer, kSetting, "8", nullptr },
    { S::ImagePrefix, 56, kAdvanced, L("ImagePrefix"), T::String, kSetting, "Wardn-", nullptr },
    { S::AddPrefix, 58, kAdvanced, L("AddPrefix"), T::Boolean, kSetting, "1", nullptr },
    { S::Recycle, 57, kAdvanced, L("Recycle"), T::Boolean, kSetting, "1", nullptr },
    { S::ImageDateFormat, 59, kAdvanced, L("ImageDateFormat"), T::String, kSetting, "yyyymmdd-hhmmss",
        nullptr },
    { S::LogDateFormat, 60, kAdvanced, L("LogDateFormat"), T::String, kSetting, "ddd dd mmm yyyy  hh:mm:ss",
        nullptr },
    { S::PauseDelay, 61, kAdvanced, L("PauseDelay"), T::Integer, kSetting, "120", nullptr },
    { S::Monitor1, 62, kAdvanced, L("Monitor1"), T::Boolean, kSetting, "0", nullptr },
    { S::HHAUrl, 63, kAdvanced, L("HHAUrl"), T::String, kSetting, "", nullptr },
    { S::HHBUrl, 64, kAdvanced, L("HHBUrl"), T::String, kSetting, "/html/settings/a_adsl.html", nullptr },
    { S::WebFolder, 65, kAdvanced, L("WebFolder"), T::String, kSetting, "/WebServer", &InProgramFolder },
    { S::DateStamp, 66, kAdvanced, L("DateStamp"), T::Boolean, kSetting, "1", nullptr },
    { S::NotifyEvents, 73, kAdvanced, L("NotifyEvents"), T::Boolean, L("cbNotifyEvents"), "0", nullptr },
    { S::HistoryAtStart, 74, kAdvanced, L("HistoryAtStart"), T::Boolean, L("cbHistoryAtStart"), "0",
        nullptr },
    { S::Web, 72, kWebServer, L("Web"), T::Boolean, L("cbWeb"), "0", nullptr },
    { S::WebAddress, 67, kWebServer, L("Address"), T::String, L("boxWebAddress"), "", nullptr },
    { S::Port, 68, kWebServer, L("Port"), T::String, L("edPort"), "81", nullptr },
    { S::webWidth, 69, kWebServer, L("webWidth"), T::String, L("edWidth"), "500", nullptr },
    { S::webHeight, 70, kWebServer, L("webHeight"), T::String, L("edHeight"), "250", nullptr },
    { S::Metrics, 71, kWebServer, L("Metrics"), T::Boolean, L("cbMetrics"), "0", nullptr },
    { S::Height, 1, kForm, L("Height"), T::Integer, L("TForm1"), "650", nullptr },
    { S::Top, 2, kForm, L("Top"), T::Integer, L("TForm1"), nullptr, &CentredTop },
    { S::Width, 0, kForm, L("Width"), T::Integer, L("TForm1"), "850", nullptr },
    { S::Left, 3, kForm, L("Left"), T::Integer, L("TForm1"), nullptr, &CentredLeft },
};
static_assert(std::size(kRows) == kSettingKeyCount, "every key has one row");

constexpr bool RowsFollowTheKeys()
{
    for (std::size_t i = 0; i < kSettingKeyCount; ++i) {
        if (static_cast<std::size_t>(kRows[i].key) != i)
            return false;
    }
    return true;
}
static_assert(RowsFollowTheKeys(), "the rows run in the order of SettingKey");

// Every place of the load order is taken by exactly one key.
constexpr bool LoadOrderIsComplete()
{
    for (std::size_t place = 0; place < kSettingKeyCount; ++place) {
        int holders = 0;
        for (const SettingRow &row : kRows)
            holders += row.loadPosition == place ? 1 : 0;
        if (holders != 1)
            return false;
    }
    return true;
}
static_assert(LoadOrderIsComplete(), "each key has its own place in the load order");

std::vector<SettingKey> BuildLoadOrder()
{
    std::vector<SettingKey> order(kSettingKeyCount);
    for (const SettingRow &row : kRows)
        order[row.loadPosition] = row.key;
    return order;
}

} // namespace

const std::array<SettingRow, kSettingKeyCount> &SettingTable()
{
    static const auto table = [] {
        std::array<SettingRow, kSettingKeyCount> rows {};
        std::copy(std::begin(kRows), std::end(kRows), rows.begin());
        return rows;
    }();
    return table;
}

const SettingRow &RowOf(SettingKey key)
{
    return SettingTable()[static_cast<std::size_t>(key)];
}

QVariant DefaultOf(SettingKey key, const SettingsContext &context)
{
    const SettingRow &row = RowOf(key);
    return row.computedDefault ? row.computedDefault(context, row) : FromText(row.type, row.defaultText);
}

const std::vector<SettingKey> &LoadOrder()
{
    static const auto order = BuildLoadOrder();
    return order;
}

bool IsAxisKey(SettingKey key)
{
    return key >= SettingKey::C1Lx && key <= SettingKey::C4R;
}

SettingKey AxisKey(int graph, AxisSide side, AxisLimit limit)
{
    Q_ASSERT(graph >= 1 && graph <= 5);
    // Within each half of the axis keys the graphs run 1, 5, 2, 3, 4.
    static constexpr int kSlot[] = { 0, 0, 2, 3, 4, 1 };
    const int first = static_cast<int>(limit == AxisLimit::Maximum ? SettingKey::C1Lx : SettingKey::C1L);
    const int offset = kSlot[qBound(1, graph, 5)] * 2 + (side == AxisSide::Right ? 1 : 0);
    return static_cast<SettingKey>(first + offset);
}

int FixedAxisLimit(SettingKey key)
{
    const QLatin1String name = RowOf(key).name;
    const bool maximum = name.endsWith(QLatin1Char('x'));
    const bool noiseGraph = name.at(1) == QLatin1Char('1') || name.at(1) == QLatin1Char('5');
    if (maximum)
        return noiseGraph ? 10 : 20;
    return noiseGraph ? -2 : 0;
}

int TruncatedAxisLimit(double limit)
{
    if (std::isnan(limit))
        return 0;
    const double bounded = qBound(
        double(std::numeric_limits<int>::min()), std::trunc(limit), double(std::numeric_limits<int>::max()));
    return static_cast<int>(bounded);
}

QByteArray EnDeCrypt(QByteArrayView bytes)
{
    QByteArray out(bytes.data(), bytes.size());
    for (char &c : out)
        c = static_cast<char>(~static_cast<unsigned char>(c));
    return out;
}
