#pragma once

#include "base/settings_schema.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// What `linewarden --read-page` was asked to read.
struct ReadPageRequest {
    QString file;
    QChar type; // 'A' or 'B'
    // Figure indexes of the two user-defined graphs and the log column width;
    // the settings' defaults unless given.
    int user1 = DefaultOf(SettingKey::User1, {}).toInt();
    int user2 = DefaultOf(SettingKey::User2, {}).toInt();
    int logTab = DefaultOf(SettingKey::LogTab, {}).toInt();
    QString logDateFormat; // empty: the settings default
    std::optional<QDateTime> at; // the moment of the page load; empty: now
    QString url; // the document's URL (Type B), also taken as navigationUrl
};

// What `linewarden --export-history` was asked to write.
struct ExportHistoryRequest {
    QString file; // the CSV file to write
    QDateTime from; // the first moment wanted; invalid: from the first sample
    QDateTime to; // the last moment wanted; invalid: to the last sample
};

// Reads a moment given on the command line: an ISO 8601 date and time, with
// or without milliseconds and a zone (local time without one), or a date
// alone, which stands for the start of that day, or with endOfDay for its
// last millisecond. Invalid when the text does not read.
QDateTime ParseIsoMoment(const QString &text, bool endOfDay);

// The program's command line, parsed.
struct CommandLine {
    enum class Mode { Desktop, Demo, SimulateHub, ReadPage, ExportHistory, Help };

    Mode mode = Mode::Desktop;
    QString dataDir; // --data-dir; empty: the default folder
    QChar hubType = u'A'; // --demo / --simulate-hub
    quint16 port = 0; // --simulate-hub --port; 0: any free port
    int sampleSeconds = 0; // --demo --sample; 0: the settings' interval
    bool headless = false; // --headless: the desktop program or the demo without windows
    ReadPageRequest readPage;
    ExportHistoryRequest exportHistory;
};

// Parses the arguments after the program name. On a bad argument returns
// nothing and sets error to a one-line message.
std::optional<CommandLine> ParseCommandLine(const QStringList &arguments, QString &error);

// The usage text printed by --help.
QString UsageText();
