#include "shell/windows/desktop_settings_prompts.h"

#include <QFileDialog>
#include <QMessageBox>

bool DesktopSettingsPrompts::confirmWarning(QWidget *parent, const QPoint &topLeft, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text,
        QMessageBox::Yes | QMessageBox::Cancel, parent);
    // A box that was moved keeps its place when it is shown.
    box.move(topLeft);
    return box.exec() == QMessageBox::Yes;
}

QString DesktopSettingsPrompts::chooseFolder(
    QWidget *parent, const QString &title, const QString &startFolder)
{
    return QFileDialog::getExistingDirectory(parent, title, startFolder);
}
