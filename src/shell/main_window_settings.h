#pragma once

#include "sampling/reader_options.h"

#include <QString>

// The settings the main window needs in its first shape, with their
// defaults. Filled from and written to the settings file by the two
// functions below until the full settings schema takes over.
struct MainWindowSettings
{
    // LW-BT
    QString address = QStringLiteral("192.168.1.254");
    QString password;          // plain text in memory
    bool login = true;
    int type = -1;             // 0 Type A, 1 Type B, -1 none
    QString actualUrl;
    int sample = 30;           // seconds, 10 to 300
    int user1 = 4;
    int user2 = 5;
    int page = 0;
    // Log
    QString logFile;           // empty: program folder + "/log.txt"
    bool log = false;
    // Advanced
    int logTab = 8;
    QString logDateFormat = DefaultLogDateFormat();
    int pauseDelay = 120;
    QString hhaUrl;
    QString hhbUrl = QStringLiteral("/html/settings/a_adsl.html");
};

// Reads the keys from the settings file; missing keys keep their defaults.
MainWindowSettings LoadMainWindowSettings(const QString &iniPath);
// Writes the keys; returns false when the file could not be written.
bool SaveMainWindowSettings(const QString &iniPath, const MainWindowSettings &settings);

// The keyless byte complement of the stored password: the same call
// scrambles and unscrambles.
QByteArray ComplementBytes(const QByteArray &bytes);
