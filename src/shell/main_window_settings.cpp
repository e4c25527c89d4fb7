#include "shell/main_window_settings.h"

#include "base/settings.h"

#include <algorithm>

namespace {

Settings SettingsIn(const QString &programFolder)
{
    SettingsContext context;
    context.programFolder = programFolder;
    return Settings(context);
}

} // namespace

MainWindowSettings LoadMainWindowSettings(const QString &iniPath, const QString &programFolder)
{
    Settings file = SettingsIn(programFolder);
    file.Load(iniPath);
    MainWindowSettings s;
    s.address = file.text(SettingKey::Address);
    s.password = file.text(SettingKey::Password);
    s.login = file.flag(SettingKey::Login);
    s.type = file.integer(SettingKey::Type);
    if (s.type != 0 && s.type != 1)
        s.type = -1;
    s.actualUrl = file.text(SettingKey::ActualUrl);
    s.sample = std::clamp(file.integer(SettingKey::Sample), 10, 300);
    s.user1 = file.integer(SettingKey::User1);
    s.user2 = file.integer(SettingKey::User2);
    s.page = file.integer(SettingKey::Page);
    s.logFile = file.text(SettingKey::LogFile);
    s.log = file.flag(SettingKey::cbLog);
    s.logTab = file.integer(SettingKey::LogTab);
    s.logDateFormat = file.text(SettingKey::LogDateFormat);
    s.pauseDelay = file.integer(SettingKey::PauseDelay);
    s.hhaUrl = file.text(SettingKey::HHAUrl);
    s.hhbUrl = file.text(SettingKey::HHBUrl);
    s.graphs = GraphSettingsFrom(file);
    return s;
}

bool SaveMainWindowSettings(const QString &iniPath, const QString &programFolder, const MainWindowSettings &s)
{
    Settings file = SettingsIn(programFolder);
    file.Load(iniPath);
    StoreGraphSettings(s.graphs, file);
    file.setText(SettingKey::Address, s.address);
    file.setText(SettingKey::Password, s.password);
    file.setFlag(SettingKey::Login, s.login);
    file.setInteger(SettingKey::Type, s.type);
    file.setText(SettingKey::ActualUrl, s.actualUrl);
    file.setInteger(SettingKey::Sample, s.sample);
    file.setInteger(SettingKey::User1, s.user1);
    file.setInteger(SettingKey::User2, s.user2);
    file.setInteger(SettingKey::Page, s.page);
    file.setText(SettingKey::LogFile, s.logFile);
    file.setFlag(SettingKey::cbLog, s.log);
    file.setInteger(SettingKey::LogTab, s.logTab);
    file.setText(SettingKey::LogDateFormat, s.logDateFormat);
    file.setInteger(SettingKey::PauseDelay, s.pauseDelay);
    file.setText(SettingKey::HHAUrl, s.hhaUrl);
    file.setText(SettingKey::HHBUrl, s.hhbUrl);
    return file.SaveIni(iniPath);
}
