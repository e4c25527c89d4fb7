#include "base/settings_schema.h"

#include "base/clock.h"
#include "base/date_time_pattern.h"
#include "base/int_parsing.h"

#include <QtGlobal>

#include <cmath>
#include <limits>

namespace {

using S = SettingKey;
using T = SettingType;

constexpr QLatin1String L(const char *text)
{
    return QLatin1String(text);
}

const QLatin1String kLwBt("LW-BT");
const QLatin1String kLog("Log");
const QLatin1String kCapture("Capture");
const QLatin1String kAdvanced("Advanced");
const QLatin1String kWebServer("WebServer");
const QLatin1String kForm("LW-Form");
const QLatin1String kSetting("");
const QLatin1String kAxis("axis");

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

QVariant InProgramFolder(const SettingsContext &context, const SettingSpec &row)
{
    return context.programFolder + QString::fromUtf8(row.defaultText);
}

QVariant TrimTimeNow(const SettingsContext &context, const SettingSpec &)
{
    return FormatDateTime(QStringLiteral("HH:mm"), NowIn(context), context.locale);
}

// The stored text carries whole seconds only.
QVariant DeleteTimeNow(const SettingsContext &context, const SettingSpec &)
{
    const QTime now = NowIn(context).time();
    return QTime(now.hour(), now.minute(), now.second());
}

// With the default size, the window sits in the middle of the primary
// monitor, wherever that monitor lies on the desktop.
QVariant CentredTop(const SettingsContext &context, const SettingSpec &)
{
    const QRect &screen = context.primaryScreen;
    return screen.y() + screen.height() / 2 - DefaultOf(S::Height, context).toInt() / 2;
}

QVariant CentredLeft(const SettingsContext &context, const SettingSpec &)
{
    const QRect &screen = context.primaryScreen;
    return screen.x() + screen.width() / 2 - DefaultOf(S::Width, context).toInt() / 2;
}

QVariant AxisDefault(const SettingsContext &, const SettingSpec &row)
{
    return FixedAxisLimit(row.key);
}

std::array<SettingSpec, kSettingKeyCount> BuildTable()
{
    const SettingSpec rows[] = {
        { S::Address, kLwBt, L("Address"), T::String, L("edAddress"), "192.168.1.254", nullptr },
        { S::Password, kLwBt, L("Password"), T::Password, L("edPassword1"), "", nullptr },
        { S::ShowPlain, kLwBt, L("ShowPlain"), T::Boolean, L("cbShowPlain"), "0", nullptr },
        { S::Login, kLwBt, L("Login"), T::Boolean, L("cbAttemptLogin1"), "1", nullptr },
        { S::Type, kLwBt, L("Type"), T::Integer, L("boxType1"), "-1", nullptr },
        { S::ActualUrl, kLwBt, L("ActualUrl"), T::String, L("navigationUrl"), "", nullptr },
        { S::Sample, kLwBt, L("Sample"), T::Integer, L("spSample"), "30", nullptr },
        { S::PointsperPage, kLwBt, L("PointsperPage"), T::Integer, L("spPointsPerPage"), "480", nullptr },
        { S::User1, kLwBt, L("User1"), T::Integer, L("boxUser1"), "4", nullptr },
        { S::User2, kLwBt, L("User2"), T::Integer, L("boxUser2"), "5", nullptr },
        { S::Total1, kLwBt, L("Total1"), T::Boolean, L("rbTotal1"), "1", nullptr },
        { S::LastHour1, kLwBt, L("LastHour1"), T::Boolean, L("rbLastHour1"), "0", nullptr },
        { S::Total2, kLwBt, L("Total2"), T::Boolean, L("rbTotal2"), "1", nullptr },
        { S::LastHour2, kLwBt, L("LastHour2"), T::Boolean, L("rbLastHour2"), "0", nullptr },
        { S::Prompt, kLwBt, L("Prompt"), T::Boolean, L("cbPrompt"), "1", nullptr },
        { S::Minimize, kLwBt, L("Minimize"), T::Boolean, L("cbMinimize"), "0", nullptr },
        { S::SaveAxes, kLwBt, L("SaveAxes"), T::Boolean, L("cbSaveAxes"), "0", nullptr },
        { S::C1Lx, kLwBt, L("C1Lx"), T::Integer, kAxis, nullptr, &AxisDefault },
        { S::C1Rx, kLwBt, L("C1Rx"), T::Integer, kAxis, nullptr, &AxisDefault },
        { S::C5Lx, kLwBt, L("C5Lx"), T::Integer, kAxis, nullptr, &AxisDefault },
        { S::C5Rx, kLwBt, L("C5Rx"), T::Integer, kAxis, nullptr, &AxisDefault },
        { S::C2Lx, kLwBt, L("C2Lx"), T::Integer, kAxis, nullptr, &AxisDefault },
        { S::C2Rx, kLwBt, L("C2Rx"), T::Integer, kAxis, nullptr, &AxisDefault },
        { S::C3Lx, kLwBt, L("C3Lx"), T::Integer, kAxis, nullptr, &AxisDefault },
        { S::C3Rx, kLwBt, L("C3Rx"), T::Integer, kAxis, nullptr, &AxisDefault },
        { S::C4Lx, kLwBt, L("C4Lx"), T::Integer, kAxis, nullptr, &AxisDefault },
        { S::C4Rx, kLwBt, L("C4Rx"), T::Integer, kAxis, nullptr, &AxisDefault },
        { S::C1L, kLwBt, L("C1L"), T::Integer, kAxis, nullptr, &AxisDefault },
        { S::C1R, kLwBt, L("C1R"), T::Integer, kAxis, nullptr, &AxisDefault },
        { S::C5L, kLwBt, L("C5L"), T::Integer, kAxis, nullptr, &AxisDefault },
        { S::C5R, kLwBt, L("C5R"), T::Integer, kAxis, nullptr, &AxisDefault },
        { S::C2L, kLwBt, L("C2L"), T::Integer, kAxis, nullptr, &AxisDefault },
        { S::C2R, kLwBt, L("C2R"), T::Integer, kAxis, nullptr, &AxisDefault },
        { S::C3L, kLwBt, L("C3L"), T::Integer, kAxis, nullptr, &AxisDefault },
        { S::C3R, kLwBt, L("C3R"), T::Integer, kAxis, nullptr, &AxisDefault },
        { S::C4L, kLwBt, L("C4L"), T::Integer, kAxis, nullptr, &AxisDefault },
        { S::C4R, kLwBt, L("C4R"), T::Integer, kAxis, nullptr, &AxisDefault },
        { S::ThreeD, kLwBt, L("3D"), T::String, kSetting, "00000", nullptr },
        { S::Page, kLwBt, L("Page"), T::Integer, L("PageControl1"), "0", nullptr },
        { S::cbLog, kLog, L("cbLog"), T::Boolean, L("cbLog"), "0", nullptr },
        { S::LogFile, kLog, L("LogFile"), T::String, L("edLog"), "/log.txt", &InProgramFolder },
        { S::TrimLog, kLog, L("TrimLog"), T::Boolean, kSetting, "0", nullptr },
        { S::TrimLines, kLog, L("TrimLines"), T::Integer, kSetting, "1000", nullptr },
        { S::TrimTime, kLog, L("TrimTime"), T::String, kSetting, nullptr, &TrimTimeNow },
        { S::Capture, kCapture, L("Capture"), T::String, L("edCapture"), "/Capture", &InProgramFolder },
        { S::cbCapture, kCapture, L("cbCapture"), T::Boolean, L("cbCapture"), "0", nullptr },
        { S::LostSync, kCapture, L("LostSync"), T::Boolean, L("cbOnlyIfLost"), "0", nullptr },
        { S::OnClose, kCapture, L("OnClose"), T::Boolean, L("cbCaptureOnClose"), "0", nullptr },
        { S::DeleteImages, kCapture, L("DeleteImages"), T::Boolean, kSetting, "0", nullptr },
        { S::DeleteDays, kCapture, L("DeleteDays"), T::Integer, kSetting, "5", nullptr },
        { S::DeleteTime, kCapture, L("DeleteTime"), T::TimeOfDay, kSetting, nullptr, &DeleteTimeNow },
        { S::LogTab, kAdvanced, L("LogTab"), T::Integer, kSetting, "8", nullptr },
        { S::ImagePrefix, kAdvanced, L("ImagePrefix"), T::String, kSetting, "Wardn-", nullptr },
        { S::AddPrefix, kAdvanced, L("AddPrefix"), T::Boolean, kSetting, "1", nullptr },
        { S::Recycle, kAdvanced, L("Recycle"), T::Boolean, kSetting, "1", nullptr },
        { S::ImageDateFormat, kAdvanced, L("ImageDateFormat"), T::String, kSetting, "yyyymmdd-hhmmss",
            nullptr },
        { S::LogDateFormat, kAdvanced, L("LogDateFormat"), T::String, kSetting, "ddd dd mmm yyyy  hh:mm:ss",
            nullptr },
        { S::PauseDelay, kAdvanced, L("PauseDelay"), T::Integer, kSetting, "120", nullptr },
        { S::Monitor1, kAdvanced, L("Monitor1"), T::Boolean, kSetting, "0", nullptr },
        { S::HHAUrl, kAdvanced, L("HHAUrl"), T::String, kSetting, "", nullptr },
        { S::HHBUrl, kAdvanced, L("HHBUrl"), T::String, kSetting, "/html/settings/a_adsl.html", nullptr },
        { S::WebFolder, kAdvanced, L("WebFolder"), T::String, kSetting, "/WebServer", &InProgramFolder },
        { S::DateStamp, kAdvanced, L("DateStamp"), T::Boolean, kSetting, "1", nullptr },
        { S::Web, kWebServer, L("Web"), T::Boolean, L("cbWeb"), "0", nullptr },
        { S::WebAddress, kWebServer, L("Address"), T::String, L("boxWebAddress"), "", nullptr },
        { S::Port, kWebServer, L("Port"), T::String, L("edPort"), "81", nullptr },
        { S::webWidth, kWebServer, L("webWidth"), T::String, L("edWidth"), "500", nullptr },
        { S::webHeight, kWebServer, L("webHeight"), T::String, L("edHeight"), "250", nullptr },
        { S::Metrics, kWebServer, L("Metrics"), T::Boolean, L("cbMetrics"), "0", nullptr },
        { S::Height, kForm, L("Height"), T::Integer, L("TForm1"), "650", nullptr },
        { S::Top, kForm, L("Top"), T::Integer, L("TForm1"), nullptr, &CentredTop },
        { S::Width, kForm, L("Width"), T::Integer, L("TForm1"), "850", nullptr },
        { S::Left, kForm, L("Left"), T::Integer, L("TForm1"), nullptr, &CentredLeft },
    };
    static_assert(std::size(rows) == kSettingKeyCount, "every key has one row");
    std::array<SettingSpec, kSettingKeyCount> table {};
    for (std::size_t i = 0; i < kSettingKeyCount; ++i) {
        Q_ASSERT(static_cast<std::size_t>(rows[i].key) == i);
        table[i] = rows[i];
    }
    return table;
}

std::vector<SettingKey> BuildLoadOrder()
{
    return {
        S::Width,
        S::Height,
        S::Top,
        S::Left,
        S::Address,
        S::Password,
        S::ShowPlain,
        S::Login,
        S::Type,
        S::ActualUrl,
        S::Sample,
        S::PointsperPage,
        S::Capture,
        S::cbCapture,
        S::OnClose,
        S::User1,
        S::User2,
        S::Total1,
        S::LastHour1,
        S::Total2,
        S::LastHour2,
        S::Prompt,
        S::Minimize,
        S::SaveAxes,
        S::C1Lx,
        S::C1Rx,
        S::C5Lx,
        S::C5Rx,
        S::C2Lx,
        S::C2Rx,
        S::C3Lx,
        S::C3Rx,
        S::C4Lx,
        S::C4Rx,
        S::C1L,
        S::C1R,
        S::C5L,
        S::C5R,
        S::C2L,
        S::C2R,
        S::C3L,
        S::C3R,
        S::C4L,
        S::C4R,
        S::ThreeD,
        S::LostSync,
        S::LogFile,
        S::cbLog,
        S::Page,
        S::TrimLog,
        S::TrimLines,
        S::TrimTime,
        S::DeleteImages,
        S::DeleteDays,
        S::DeleteTime,
        S::LogTab,
        S::ImagePrefix,
        S::Recycle,
        S::AddPrefix,
        S::ImageDateFormat,
        S::LogDateFormat,
        S::PauseDelay,
        S::Monitor1,
        S::HHAUrl,
        S::HHBUrl,
        S::WebFolder,
        S::DateStamp,
        S::WebAddress,
        S::Port,
        S::webWidth,
        S::webHeight,
        S::Metrics,
        S::Web,
    };
}

} // namespace

const std::array<SettingSpec, kSettingKeyCount> &SettingTable()
{
    static const auto table = BuildTable();
    return table;
}

const SettingSpec &SpecOf(SettingKey key)
{
    return SettingTable()[static_cast<std::size_t>(key)];
}

QVariant DefaultOf(SettingKey key, const SettingsContext &context)
{
    const SettingSpec &row = SpecOf(key);
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
    const QLatin1String name = SpecOf(key).name;
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
