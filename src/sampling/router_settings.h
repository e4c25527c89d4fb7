#pragma once

#include "base/router_type.h"
#include "base/settings.h"
#include "sampling/reader_options.h"

// The keys sampling reads and writes: the router's model, address, password
// and login option, the statistics paths, and what the readers need.
class RouterSettings {
public:
    explicit RouterSettings(Settings &settings) : m_settings(settings) { }

    RouterType type() const { return RouterTypeFromIndex(m_settings.integer(SettingKey::Type)); }
    // The host part of every router URL.
    QString address() const { return m_settings.text(SettingKey::Address); }
    QString password() const { return m_settings.text(SettingKey::Password); }
    // The automatic login applies to a Type A router only.
    bool attemptLogin() const { return type() == RouterType::TypeA && m_settings.flag(SettingKey::Login); }
    // HHAUrl for Type A, HHBUrl for Type B; empty with no model chosen.
    QString statisticsPath(RouterType type) const;
    void setStatisticsPath(RouterType type, const QString &path);
    QString logDateFormat() const { return m_settings.text(SettingKey::LogDateFormat); }
    int pauseDelaySeconds() const { return m_settings.integer(SettingKey::PauseDelay); }
    // The sample interval, held within the range the program runs with.
    int sampleSeconds() const;
    ReaderOptions readerOptions() const;

private:
    Settings &m_settings;
};
