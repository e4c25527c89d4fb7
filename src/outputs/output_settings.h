#pragma once

#include "base/settings.h"

// The keys of the outputs: the sample log, the image capture and the tray.
class OutputSettings {
public:
    explicit OutputSettings(const Settings &settings) : m_settings(settings) { }

    bool logging() const { return m_settings.flag(SettingKey::cbLog); }
    QString logFile() const { return m_settings.text(SettingKey::LogFile); }
    QString captureFolder() const { return m_settings.text(SettingKey::Capture); }
    bool captureEachPage() const { return m_settings.flag(SettingKey::cbCapture); }
    bool captureOnlyIfLost() const { return m_settings.flag(SettingKey::LostSync); }
    bool captureOnClose() const { return m_settings.flag(SettingKey::OnClose); }
    // What every captured file name starts with: the prefix while AddPrefix
    // is on, nothing otherwise.
    QString imagePrefix() const
    {
        return m_settings.flag(SettingKey::AddPrefix) ? m_settings.text(SettingKey::ImagePrefix) : QString();
    }
    QString imageDateFormat() const { return m_settings.text(SettingKey::ImageDateFormat); }
    bool minimizeToTray() const { return m_settings.flag(SettingKey::Minimize); }
    const QLocale &locale() const { return m_settings.context().locale; }

private:
    const Settings &m_settings;
};
