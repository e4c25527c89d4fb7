#include "shell/controls/log_controls.h"

#include "base/settings.h"
#include "shell/controls/control_bindings.h"
#include "shell/controls/indicator_pictures.h"

#include <QAction>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>

namespace {

LogControls::Desktop RealDesktop(QWidget *parent)
{
    LogControls::Desktop desktop;
    desktop.chooseLogFile = [parent](const QString &folder, const QString &name) {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilters({ QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files(*.*) (*)") });
        dialog.setDefaultSuffix(QStringLiteral("txt"));
        dialog.setDirectory(folder);
        dialog.selectFile(name);
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
            ? dialog.selectedFiles().constFirst()
            : QString();
    };
    desktop.tell = [parent](const QString &text) {
        QMessageBox::information(parent, QStringLiteral("Linewarden"), text);
    };
    desktop.open = [](const QString &path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    return desktop;
}

// A log file to view: a file, not a folder.
bool LogFileExists(const QString &path)
{
    return QFileInfo(path).isFile();
}

// The folder part of a path, up to its last separator, names a folder that
// exists; a bare file name has no folder part.
bool FolderPartExists(const QString &path)
{
    const qsizetype separator = path.lastIndexOf(u'/');
    return separator >= 0 && QFileInfo(path.left(separator + 1)).isDir();
}

} // namespace

LogControls::LogControls(Settings &settings, const QString &programFolder, QWidget *owner)
    : QObject(owner), m_settings(settings), m_programFolder(programFolder), m_desktop(RealDesktop(owner))
{
    GroupBox3 = new QGroupBox(QStringLiteral("Log"), owner);
    auto *grid = new QGridLayout(GroupBox3);
    cbLog = new QCheckBox(QStringLiteral("Enable logging"), GroupBox3);
    edLog = new QLineEdit(GroupBox3);
    btnBrowseLog = new QPushButton(QStringLiteral("Browse..."), GroupBox3);
    grid->addWidget(cbLog, 0, 0, 1, 2);
    grid->addWidget(edLog, 1, 0);
    grid->addWidget(btnBrowseLog, 1, 1);

    btnLog = new QToolButton(owner);
    btnLog->setText(QStringLiteral("ViewLog"));
    btnLog->setToolTip(QStringLiteral("View Linewarden Log"));
    Image7 = new QLabel(owner);
    Image7->setPixmap(IndicatorPicture(Indicator::Logging));
    Image7->setToolTip(QStringLiteral("Logging"));
    Image7->hide();

    mnuStartLog = new QAction(QStringLiteral("Start Logging"), this);
    mnuStopLog = new QAction(QStringLiteral("Stop Logging"), this);
    mnuConfigLog = new QAction(QStringLiteral("Configure Logging..."), this);

    connect(cbLog, &QCheckBox::toggled, Image7, &QWidget::setVisible);
    connect(edLog, &QLineEdit::textChanged, this, &LogControls::edLogChange);
    connect(btnBrowseLog, &QPushButton::clicked, this, &LogControls::btnBrowseLogClick);
    connect(btnLog, &QToolButton::clicked, this, &LogControls::btnLogClick);
    connect(mnuStartLog, &QAction::triggered, this, &LogControls::mnuStartLogClick);
    connect(mnuStopLog, &QAction::triggered, this, &LogControls::mnuStopLogClick);
    connect(mnuConfigLog, &QAction::triggered, this, &LogControls::mnuConfigLogClick);
    edLogChange();
}

void LogControls::bindSettings(SettingsBindings &bindings)
{
    BindLineEdit(bindings, m_settings, SettingKey::LogFile, edLog);
    BindCheckBox(bindings, m_settings, SettingKey::cbLog, cbLog);
}

void LogControls::edLogChange()
{
    btnLog->setEnabled(LogFileExists(edLog->text()));
    // Every sample looks again; the hint is set only when it changes.
    if (edLog->toolTip() != edLog->text())
        edLog->setToolTip(edLog->text());
}

void LogControls::refresh()
{
    edLogChange();
}

// The save-file dialog in the program's folder, proposing the box's file
// name or "Log.txt".
QString LogControls::chooseLogFile()
{
    const QString name = QFileInfo(edLog->text()).fileName();
    return m_desktop.chooseLogFile(m_programFolder, name.isEmpty() ? QStringLiteral("Log.txt") : name);
}

void LogControls::btnBrowseLogClick()
{
    const QString path = chooseLogFile();
    if (!path.isEmpty())
        edLog->setText(path);
}

void LogControls::mnuStartLogClick()
{
    if (FolderPartExists(edLog->text())) {
        cbLog->setChecked(true);
        return;
    }
    const QString path = chooseLogFile();
    if (path.isEmpty())
        return;
    edLog->setText(path);
    cbLog->setChecked(true);
}

void LogControls::mnuStopLogClick()
{
    cbLog->setChecked(false);
}

void LogControls::mnuConfigLogClick()
{
    GroupBox3->setAutoFillBackground(true);
    QPalette palette = GroupBox3->palette();
    palette.setColor(QPalette::Window, Qt::white);
    GroupBox3->setPalette(palette);
    emit graphsHighlightCleared();
}

void LogControls::clearHighlight()
{
    GroupBox3->setAutoFillBackground(false);
    GroupBox3->setPalette(QPalette());
}

void LogControls::followTabs(const QTabWidget &pages)
{
    connect(&pages, &QTabWidget::currentChanged, this, &LogControls::clearHighlight);
}

void LogControls::configureMenuOpening()
{
    mnuStartLog->setVisible(!cbLog->isChecked());
    mnuStopLog->setVisible(cbLog->isChecked());
}

void LogControls::btnLogClick()
{
    const QString path = edLog->text();
    if (LogFileExists(path))
        m_desktop.open(path);
    else
        m_desktop.tell(QStringLiteral("No log file found."));
}
