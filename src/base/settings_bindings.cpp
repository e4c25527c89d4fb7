#include "base/settings_bindings.h"

#include <QtGlobal>

#include <algorithm>

void SettingsBindings::bind(SettingKey key, Apply apply)
{
    Q_ASSERT(!isBound(key));
    m_apply[key] = std::move(apply);
}

void SettingsBindings::beforeSave(Collect collect)
{
    m_collect.push_back(std::move(collect));
}

void SettingsBindings::applyInLoadOrder() const
{
    for (const SettingKey key : LoadOrder()) {
        const auto found = m_apply.find(key);
        if (found != m_apply.end())
            found->second();
    }
}

void SettingsBindings::apply(std::initializer_list<SettingKey> keys) const
{
    for (const SettingKey key : LoadOrder()) {
        const auto found = m_apply.find(key);
        if (found != m_apply.end() && std::find(keys.begin(), keys.end(), key) != keys.end())
            found->second();
    }
}

void SettingsBindings::collect() const
{
    for (const Collect &collect : m_collect)
        collect();
}
