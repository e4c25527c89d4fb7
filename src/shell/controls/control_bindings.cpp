#include "shell/controls/control_bindings.h"

#include "base/settings.h"
#include "base/settings_bindings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

void BindLineEdit(SettingsBindings &bindings, Settings &settings, SettingKey key, QLineEdit *edit)
{
    bindings.bind(key, [&settings, key, edit] { edit->setText(settings.text(key)); });
    QObject::connect(edit, &QLineEdit::textChanged, edit,
        [&settings, key](const QString &text) { settings.setText(key, text); });
}

void BindCheckBox(SettingsBindings &bindings, Settings &settings, SettingKey key, QCheckBox *box)
{
    bindings.bind(key, [&settings, key, box] { box->setChecked(settings.flag(key)); });
    QObject::connect(box, &QCheckBox::toggled, box, [&settings, key](bool on) { settings.setFlag(key, on); });
}

void KeepInStep(QCheckBox *bound, QCheckBox *twin)
{
    twin->setChecked(bound->isChecked());
    // Setting a box to the state it has emits nothing, so the pair settles.
    QObject::connect(bound, &QCheckBox::toggled, twin, &QCheckBox::setChecked);
    QObject::connect(twin, &QCheckBox::toggled, bound, &QCheckBox::setChecked);
}

void BindComboIndex(SettingsBindings &bindings, Settings &settings, SettingKey key, QComboBox *box,
    std::function<void()> applied)
{
    bindings.bind(key, [&settings, key, box, applied = std::move(applied)] {
        {
            const QSignalBlocker block(box);
            const int index = settings.integer(key);
            box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
        }
        settings.setInteger(key, box->currentIndex());
        if (applied)
            applied();
    });
    QObject::connect(box, &QComboBox::currentIndexChanged, box,
        [&settings, key](int index) { settings.setInteger(key, index); });
}
