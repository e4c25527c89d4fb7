#include "shell/settings_schema.h"

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

std::array<SettingSpec, kSettingKeyCount> BuildTable()
{
    const SettingSpec rows[] = {
        { S::Address, kLwBt, L("Address"), T::String, L("edAddress") },
        { S::Password, kLwBt, L("Password"), T::Password, L("edPassword1") },
        { S::ShowPlain, kLwBt, L("ShowPlain"), T::Boolean, L("cbShowPlain") },
        { S::Login, kLwBt, L("Login"), T::Boolean, L("cbAttemptLogin1") },
        { S::Type, kLwBt, L("Type"), T::Integer, L("boxType1") },
        { S::ActualUrl, kLwBt, L("ActualUrl"), T::String, L("navigationUrl") },
        { S::Sample, kLwBt, L("Sample"), T::Integer, L("spSample") },
        { S::PointsperPage, kLwBt, L("PointsperPage"), T::Integer, L("spPointsPerPage") },
        { S::User1, kLwBt, L("User1"), T::Integer, L("boxUser1") },
        { S::User2, kLwBt, L("User2"), T::Integer, L("boxUser2") },
        { S::Total1, kLwBt, L("Total1"), T::Boolean, L("rbTotal1") },
        { S::LastHour1, kLwBt, L("LastHour1"), T::Boolean, L("rbLastHour1") },
        { S::Total2, kLwBt, L("Total2"), T::Boolean, L("rbTotal2") },
        { S::LastHour2, kLwBt, L("LastHour2"), T::Boolean, L("rbLastHour2") },
        { S::Prompt, kLwBt, L("Prompt"), T::Boolean, L("cbPrompt") },
        { S::Minimize, kLwBt, L("Minimize"), T::Boolean, L("cbMinimize") },
        { S::SaveAxes, kLwBt, L("SaveAxes"), T::Boolean, L("cbSaveAxes") },
        { S::C1Lx, kLwBt, L("C1Lx"), T::Integer, kAxis },
        { S::C1Rx, kLwBt, L("C1Rx"), T::Integer, kAxis },
        { S::C5Lx, kLwBt, L("C5Lx"), T::Integer, kAxis },
        { S::C5Rx, kLwBt, L("C5Rx"), T::Integer, kAxis },
        { S::C2Lx, kLwBt, L("C2Lx"), T::Integer, kAxis },
        { S::C2Rx, kLwBt, L("C2Rx"), T::Integer, kAxis },
        { S::C3Lx, kLwBt, L("C3Lx"), T::Integer, kAxis },
        { S::C3Rx, kLwBt, L("C3Rx"), T::Integer, kAxis },
        { S::C4Lx, kLwBt, L("C4Lx"), T::Integer, kAxis },
        { S::C4Rx, kLwBt, L("C4Rx"), T::Integer, kAxis },
        { S::C1L, kLwBt, L("C1L"), T::Integer, kAxis },
        { S::C1R, kLwBt, L("C1R"), T::Integer, kAxis },
        { S::C5L, kLwBt, L("C5L"), T::Integer, kAxis },
        { S::C5R, kLwBt, L("C5R"), T::Integer, kAxis },
        { S::C2L, kLwBt, L("C2L"), T::Integer, kAxis },
        { S::C2R, kLwBt, L("C2R"), T::Integer, kAxis },
        { S::C3L, kLwBt, L("C3L"), T::Integer, kAxis },
        { S::C3R, kLwBt, L("C3R"), T::Integer, kAxis },
        { S::C4L, kLwBt, L("C4L"), T::Integer, kAxis },
        { S::C4R, kLwBt, L("C4R"), T::Integer, kAxis },
        { S::ThreeD, kLwBt, L("3D"), T::String, kSetting },
        { S::Page, kLwBt, L("Page"), T::Integer, L("PageControl1") },
        { S::cbLog, kLog, L("cbLog"), T::Boolean, L("cbLog") },
        { S::LogFile, kLog, L("LogFile"), T::String, L("edLog") },
        { S::TrimLog, kLog, L("TrimLog"), T::Boolean, kSetting },
        { S::TrimLines, kLog, L("TrimLines"), T::Integer, kSetting },
        { S::TrimTime, kLog, L("TrimTime"), T::String, kSetting },
        { S::Capture, kCapture, L("Capture"), T::String, L("edCapture") },
        { S::cbCapture, kCapture, L("cbCapture"), T::Boolean, L("cbCapture") },
        { S::LostSync, kCapture, L("LostSync"), T::Boolean, L("cbOnlyIfLost") },
        { S::OnClose, kCapture, L("OnClose"), T::Boolean, L("cbCaptureOnClose") },
        { S::DeleteImages, kCapture, L("DeleteImages"), T::Boolean, kSetting },
        { S::DeleteDays, kCapture, L("DeleteDays"), T::Integer, kSetting },
        { S::DeleteTime, kCapture, L("DeleteTime"), T::TimeOfDay, kSetting },
        { S::LogTab, kAdvanced, L("LogTab"), T::Integer, kSetting },
        { S::ImagePrefix, kAdvanced, L("ImagePrefix"), T::String, kSetting },
        { S::AddPrefix, kAdvanced, L("AddPrefix"), T::Boolean, kSetting },
        { S::Recycle, kAdvanced, L("Recycle"), T::Boolean, kSetting },
        { S::ImageDateFormat, kAdvanced, L("ImageDateFormat"), T::String, kSetting },
        { S::LogDateFormat, kAdvanced, L("LogDateFormat"), T::String, kSetting },
        { S::PauseDelay, kAdvanced, L("PauseDelay"), T::Integer, kSetting },
        { S::Monitor1, kAdvanced, L("Monitor1"), T::Boolean, kSetting },
        { S::HHAUrl, kAdvanced, L("HHAUrl"), T::String, kSetting },
        { S::HHBUrl, kAdvanced, L("HHBUrl"), T::String, kSetting },
        { S::WebFolder, kAdvanced, L("WebFolder"), T::String, kSetting },
        { S::DateStamp, kAdvanced, L("DateStamp"), T::Boolean, kSetting },
        { S::Web, kWebServer, L("Web"), T::Boolean, L("cbWeb") },
        { S::WebAddress, kWebServer, L("Address"), T::String, L("boxWebAddress") },
        { S::Port, kWebServer, L("Port"), T::String, L("edPort") },
        { S::webWidth, kWebServer, L("webWidth"), T::String, L("edWidth") },
        { S::webHeight, kWebServer, L("webHeight"), T::String, L("edHeight") },
        { S::Height, kForm, L("Height"), T::Integer, L("TForm1") },
        { S::Top, kForm, L("Top"), T::Integer, L("TForm1") },
        { S::Width, kForm, L("Width"), T::Integer, L("TForm1") },
        { S::Left, kForm, L("Left"), T::Integer, L("TForm1") },
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
