#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1String>
#include <QLocale>
#include <QRect>
#include <QString>
#include <QVariant>

#include <array>
#include <cstddef>
#include <vector>

// Every key of the settings file. The order of the enumerators is the order
// in which SaveIni writes the keys, which is also the order of the file after
// a first save.
enum class SettingKey : int {
    // [LW-BT]
    Address,
    Password,
    ShowPlain,
    Login,
    Type,
    ActualUrl,
    Sample,
    PointsperPage,
    User1,
    User2,
    Total1,
    LastHour1,
    Total2,
    LastHour2,
    Prompt,
    Minimize,
    SaveAxes,
    C1Lx,
    C1Rx,
    C5Lx,
    C5Rx,
    C2Lx,
    C2Rx,
    C3Lx,
    C3Rx,
    C4Lx,
    C4Rx,
    C1L,
    C1R,
    C5L,
    C5R,
    C2L,
    C2R,
    C3L,
    C3R,
    C4L,
    C4R,
    ThreeD,
    Page,
    // [Log]
    cbLog,
    LogFile,
    TrimLog,
    TrimLines,
    TrimTime,
    HistoryDays,
    // [Capture]
    Capture,
    cbCapture,
    LostSync,
    OnClose,
    DeleteImages,
    DeleteDays,
    DeleteTime,
    // [Advanced]
    LogTab,
    ImagePrefix,
    AddPrefix,
    Recycle,
    ImageDateFormat,
    LogDateFormat,
    PauseDelay,
    Monitor1,
    HHAUrl,
    HHBUrl,
    WebFolder,
    DateStamp,
    NotifyEvents,
    HistoryAtStart,
    // [WebServer]
    Web,
    WebAddress,
    Port,
    webWidth,
    webHeight,
    Metrics,
    // [LW-Form]
    Height,
    Top,
    Width,
    Left,
};

constexpr std::size_t kSettingKeyCount = static_cast<std::size_t>(SettingKey::Left) + 1;

// The sample interval the program runs with lies within these seconds.
constexpr int kSampleSecondsMin = 10;
constexpr int kSampleSecondsMax = 300;

enum class SettingType {
    Integer, // decimal text; read with a sign, "$" or "0x" hexadecimal
    Boolean, // "1" or "0"; read as an integer, anything but 0 is true
    String, // the text as held, at most 2047 characters when read
    Password, // a string stored as EnDeCrypt of its UTF-8 bytes
    TimeOfDay, // a time of day stored in the locale's long time format
};

class Clock;

// What the defaults of some keys depend on: the program folder (log file,
// capture and web folders), the current time of day (the two maintenance
// times), the primary monitor's place on the desktop (the window's
// position) and the locale.
struct SettingsContext {
    QString programFolder;
    const Clock *clock = nullptr; // the system clock when none is given
    QRect primaryScreen;
    QLocale locale = QLocale::system();
};

// One row of the key table. loadPosition is the key's place in the load
// order, 0 first. heldIn names the main-window control that holds the value,
// or is empty for a setting kept in memory under the key's name. The default
// is defaultText read as the file would hold it, or, for the keys whose
// default depends on where and when the program runs,
// computedDefault(context, row).
struct SettingRow {
    SettingKey key;
    std::size_t loadPosition;
    QLatin1String section;
    QLatin1String name;
    SettingType type;
    QLatin1String heldIn;
    const char *defaultText;
    QVariant (*computedDefault)(const SettingsContext &context, const SettingRow &row);
};

// The key table, in SaveIni's order (indexed by SettingKey).
const std::array<SettingRow, kSettingKeyCount> &SettingTable();
const SettingRow &RowOf(SettingKey key);
// The value a key takes when the file lacks it, in the type of its row
// (int, bool, QString or QTime).
QVariant DefaultOf(SettingKey key, const SettingsContext &context);

// The keys in the order the settings are loaded and applied to the window,
// by the rows' loadPosition. The order matters because applying a value can
// change others. The twenty axis keys sit right after SaveAxes: when
// SaveAxes is clear their values are the fixed limits, not the file's.
const std::vector<SettingKey> &LoadOrder();

// The axis keys: "C", the graph number (1 Noise Margin, 2 Connection Speed,
// 3 and 4 the user-defined graphs, 5 the web graph), "L" or "R" for the left
// or right axis, and "x" for the maximum (the minimum without it).
enum class AxisSide { Left, Right };
enum class AxisLimit { Minimum, Maximum };
bool IsAxisKey(SettingKey key);
SettingKey AxisKey(int graph, AxisSide side, AxisLimit limit); // graph 1 to 5
// The limit an axis gets when SaveAxes is clear, and the default of its key.
int FixedAxisLimit(SettingKey key);
// An axis limit as SaveIni stores it: truncated toward zero, held within 32 bits.
int TruncatedAxisLimit(double limit);

// The keyless byte complement that scrambles the stored password; applying
// it twice gives the input back ("abc" <-> 0x9E 0x9D 0x9C).
QByteArray EnDeCrypt(QByteArrayView bytes);
