#include "shell/main_window_settings.h"

#include <QSettings>

#include <algorithm>

QByteArray ComplementBytes(const QByteArray &bytes)
{
    QByteArray out = bytes;
    for (char &c : out)
        c = static_cast<char>(~static_cast<unsigned char>(c));
    return out;
}

MainWindowSettings LoadMainWindowSettings(const QString &iniPath)
{
    MainWindowSettings s;
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("LW-BT"));
    s.address = ini.value(QStringLiteral("Address"), s.address).toString();
    s.password = QString::fromUtf8(
        ComplementBytes(ini.value(QStringLiteral("Password")).toString().toLatin1()));
    s.login = ini.value(QStringLiteral("Login"), s.login).toBool();
    s.type = ini.value(QStringLiteral("Type"), s.type).toInt();
    if (s.type != 0 && s.type != 1)
        s.type = -1;
    s.actualUrl = ini.value(QStringLiteral("ActualUrl")).toString();
    s.sample = std::clamp(ini.value(QStringLiteral("Sample"), s.sample).toInt(), 10, 300);
    s.user1 = ini.value(QStringLiteral("User1"), s.user1).toInt();
    s.user2 = ini.value(QStringLiteral("User2"), s.user2).toInt();
    s.page = ini.value(QStringLiteral("Page"), s.page).toInt();
    ini.endGroup();
    ini.beginGroup(QStringLiteral("Log"));
    s.logFile = ini.value(QStringLiteral("LogFile"), s.logFile).toString();
    s.log = ini.value(QStringLiteral("cbLog"), s.log).toBool();
    ini.endGroup();
    ini.beginGroup(QStringLiteral("Advanced"));
    s.logTab = ini.value(QStringLiteral("LogTab"), s.logTab).toInt();
    s.logDateFormat = ini.value(QStringLiteral("LogDateFormat"), s.logDateFormat).toString();
    s.pauseDelay = ini.value(QStringLiteral("PauseDelay"), s.pauseDelay).toInt();
    s.hhaUrl = ini.value(QStringLiteral("HHAUrl"), s.hhaUrl).toString();
    s.hhbUrl = ini.value(QStringLiteral("HHBUrl"), s.hhbUrl).toString();
    ini.endGroup();
    return s;
}

bool SaveMainWindowSettings(const QString &iniPath, const MainWindowSettings &s)
{
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("LW-BT"));
    ini.setValue(QStringLiteral("Address"), s.address);
    ini.setValue(QStringLiteral("Password"),
                 QString::fromLatin1(ComplementBytes(s.password.toUtf8())));
    ini.setValue(QStringLiteral("Login"), s.login);
    ini.setValue(QStringLiteral("Type"), s.type);
    ini.setValue(QStringLiteral("ActualUrl"), s.actualUrl);
    ini.setValue(QStringLiteral("Sample"), s.sample);
    ini.setValue(QStringLiteral("User1"), s.user1);
    ini.setValue(QStringLiteral("User2"), s.user2);
    ini.setValue(QStringLiteral("Page"), s.page);
    ini.endGroup();
    ini.beginGroup(QStringLiteral("Log"));
    ini.setValue(QStringLiteral("LogFile"), s.logFile);
    ini.setValue(QStringLiteral("cbLog"), s.log);
    ini.endGroup();
    ini.beginGroup(QStringLiteral("Advanced"));
    ini.setValue(QStringLiteral("LogTab"), s.logTab);
    ini.setValue(QStringLiteral("LogDateFormat"), s.logDateFormat);
    ini.setValue(QStringLiteral("PauseDelay"), s.pauseDelay);
    ini.setValue(QStringLiteral("HHAUrl"), s.hhaUrl);
    ini.setValue(QStringLiteral("HHBUrl"), s.hhbUrl);
    ini.endGroup();
    ini.sync();
    return ini.status() == QSettings::NoError;
}
