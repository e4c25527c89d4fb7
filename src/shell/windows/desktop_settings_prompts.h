#pragma once

#include "shell/windows/settings_prompts.h"

// The settings dialogs' questions as the desktop asks them: a warning
// message box and the desktop's folder picker.
class DesktopSettingsPrompts final : public SettingsPrompts {
public:
    bool confirmWarning(QWidget *parent, const QPoint &topLeft, const QString &text) override;
    QString chooseFolder(QWidget *parent, const QString &title, const QString &startFolder) override;
};
