#pragma once

#include "base/settings_schema.h"
#include "graphs/graph_settings.h"
#include "sampling/reader_options.h"

#include <QString>

// The settings the main window holds in its first shape, with their
// defaults: a typed view of the keys it needs, read from and written to the
// settings file through Settings, which keeps every other key as it was.
struct MainWindowSettings {
    // LW-BT
    QString address = QStringLiteral("192.168.1.254");
    QString password; // plain text in memory
    bool login = true;
    int type = -1; // 0 Type A, 1 Type B, -1 none
    QString actualUrl;
    int sample = 30; // seconds, 10 to 300
    int user1 = 4;
    int user2 = 5;
    int page = 0;
    // Log
    QString logFile;
    bool log = false;
    // Advanced
    int logTab = 8;
    QString logDateFormat = DefaultOf(SettingKey::LogDateFormat, {}).toString();
    int pauseDelay = 120;
    QString hhaUrl;
    QString hhbUrl = QStringLiteral("/html/settings/a_adsl.html");
    // The graphs' keys (page length, user-defined graphs, axes, 3D,
    // DateStamp, web graph size); sample, user1 and user2 above win over
    // their copies here when saving.
    GraphSettings graphs;
};

// Reads the keys from the settings file; missing keys take their defaults
// (the log file's lies in programFolder).
MainWindowSettings LoadMainWindowSettings(const QString &iniPath, const QString &programFolder);
// Writes the keys over the file, keeping the others; false when the file
// could not be written.
bool SaveMainWindowSettings(
    const QString &iniPath, const QString &programFolder, const MainWindowSettings &settings);
