#include "sampling/router_settings.h"

#include <algorithm>

QString RouterSettings::statisticsPath(RouterType type) const
{
    switch (type) {
    case RouterType::TypeA:
        return m_settings.text(SettingKey::HHAUrl);
    case RouterType::TypeB:
        return m_settings.text(SettingKey::HHBUrl);
    case RouterType::None:
        break;
    }
    return {};
}

void RouterSettings::setStatisticsPath(RouterType type, const QString &path)
{
    if (type == RouterType::TypeA)
        m_settings.setText(SettingKey::HHAUrl, path);
    else if (type == RouterType::TypeB)
        m_settings.setText(SettingKey::HHBUrl, path);
}

int RouterSettings::sampleSeconds() const
{
    return std::clamp(m_settings.integer(SettingKey::Sample), kSampleSecondsMin, kSampleSecondsMax);
}

ReaderOptions RouterSettings::readerOptions() const
{
    ReaderOptions options;
    options.user1 = UserFigureFromIndex(m_settings.integer(SettingKey::User1));
    options.user2 = UserFigureFromIndex(m_settings.integer(SettingKey::User2));
    options.logTab = m_settings.integer(SettingKey::LogTab);
    options.locale = m_settings.context().locale;
    return options;
}
