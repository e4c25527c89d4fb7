#pragma once

#include "base/settings.h"

// The keys of the outputs: the sample log and the capture folder.
class OutputSettings {
public:
    explicit OutputSettings(const Settings &settings) : m_settings(settings) { }

    bool logging() const { return m_settings.flag(SettingKey::cbLog); }
    QString logFile() const { return m_settings.text(SettingKey::LogFile); }
    QString captureFolder() const { return m_settings.text(SettingKey::Capture); }
    const QLocale &locale() const { return m_settings.context().locale; }

private:
    const Settings &m_settings;
};
