#pragma once

#include "base/settings_schema.h"

#include <functional>
#include <initializer_list>
#include <map>
#include <vector>

// Ties the settings in memory to the controls that hold them. A binding puts
// a key's loaded value into its control; applying runs the bindings in the
// load order, so each control's reaction runs as it would for a user change
// and sees the keys loaded before it. Controls write their changes back into
// the settings at once; what is not a control's value (axis limits, the URL
// sampling steers by) is taken back by the collectors just before a save.
class SettingsBindings {
public:
    using Apply = std::function<void()>;
    using Collect = std::function<void()>;

    // The key's control takes its value from the settings; one per key.
    void bind(SettingKey key, Apply apply);
    bool isBound(SettingKey key) const { return m_apply.count(key) != 0; }
    // Runs before every save.
    void beforeSave(Collect collect);

    // Every bound key, in the load order.
    void applyInLoadOrder() const;
    // The bound ones among keys, in the load order: their controls follow
    // values put into the settings after the load.
    void apply(std::initializer_list<SettingKey> keys) const;
    void collect() const;

private:
    std::map<SettingKey, Apply> m_apply;
    std::vector<Collect> m_collect;
};
