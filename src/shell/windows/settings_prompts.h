#pragma once

#include <QPoint>
#include <QString>

class QWidget;

// The modal questions the settings dialogs ask: a warning to confirm and a
// folder to pick. The desktop answers through message boxes and the folder
// picker; tests answer without blocking.
class SettingsPrompts {
public:
    virtual ~SettingsPrompts() = default;

    // A warning box with Yes and Cancel whose top-left corner is at the
    // given screen position; true when the answer is Yes.
    virtual bool confirmWarning(QWidget *parent, const QPoint &topLeft, const QString &text) = 0;
    // The folder picker with its title, starting at the given folder; the
    // chosen folder, or an empty text when the picker was cancelled.
    virtual QString chooseFolder(QWidget *parent, const QString &title, const QString &startFolder) = 0;
};
