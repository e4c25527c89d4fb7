#pragma once

#include "base/settings_schema.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class Settings;
class SettingsBindings;

// One line ties a key to the control that holds it: the loaded value goes
// into the control in the load order, and every change of the control goes
// back into the settings at once.

// Text of an edit box; setting it runs the box's reaction.
void BindLineEdit(SettingsBindings &bindings, Settings &settings, SettingKey key, QLineEdit *edit);
// A check box; checking it runs its reaction.
void BindCheckBox(SettingsBindings &bindings, Settings &settings, SettingKey key, QCheckBox *box);
// A second check box for a key already bound to the first: it shows what
// the first holds now, and each follows the other at once, so either one
// changes the key.
void KeepInStep(QCheckBox *bound, QCheckBox *twin);
// The item index of a list, applied without any reaction; an index the list
// does not have leaves it with no selection, which is what is kept (-1).
// applied, when given, runs once the index is in.
void BindComboIndex(SettingsBindings &bindings, Settings &settings, SettingKey key, QComboBox *box,
    std::function<void()> applied = {});
