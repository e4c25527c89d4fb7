#include "base/settings_bindings.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// Controls are filled in the load order whatever order they were bound in,
// so a reaction sees the keys loaded before it (LostSync after cbCapture,
// the axes after SaveAxes, Web last of all); so are the few keys applied
// again later.
TEST(SettingsBindings, AppliesInTheLoadOrderAndCollectsBeforeSaving)
{
    SettingsBindings bindings;
    std::vector<SettingKey> applied;
    for (const SettingKey key : { SettingKey::Web, SettingKey::LostSync, SettingKey::C1Lx,
             SettingKey::cbCapture, SettingKey::SaveAxes, SettingKey::Width }) {
        bindings.bind(key, [&applied, key] { applied.push_back(key); });
    }
    int collected = 0;
    bindings.beforeSave([&collected] { ++collected; });

    bindings.applyInLoadOrder();
    EXPECT_EQ(applied,
        (std::vector<SettingKey> { SettingKey::Width, SettingKey::cbCapture, SettingKey::SaveAxes,
            SettingKey::C1Lx, SettingKey::LostSync, SettingKey::Web }));
    EXPECT_EQ(collected, 0);
    bindings.collect();
    EXPECT_EQ(collected, 1);

    // Some keys again, unbound ones among them: those, in the load order.
    applied.clear();
    bindings.apply({ SettingKey::Web, SettingKey::Address, SettingKey::Width, SettingKey::SaveAxes });
    EXPECT_EQ(
        applied, (std::vector<SettingKey> { SettingKey::Width, SettingKey::SaveAxes, SettingKey::Web }));
}

} // namespace
