#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class QWidget;
class Settings;
class SettingsBindings;

// The log's controls: the "Log" group of the Configure tab (cbLog, edLog,
// "Browse..."), the Configure menu's logging items, the toolbar's "ViewLog"
// button and the logging indicator.
class LogControls final : public QObject {
    Q_OBJECT

public:
    // What the controls ask of the desktop; message boxes and dialogs unless
    // replaced (tests answer them themselves).
    struct Desktop {
        // The save-file dialog: starts in folder, proposes name; the chosen
        // path, or empty when cancelled.
        std::function<QString(const QString &folder, const QString &name)> chooseLogFile;
        std::function<void(const QString &text)> tell;
        // Opens the file with the program the desktop associates with it.
        std::function<void(const QString &path)> open;
    };

    LogControls(Settings &settings, const QString &programFolder, QWidget *owner);
    Q_DISABLE_COPY_MOVE(LogControls)

    void bindSettings(SettingsBindings &bindings);
    void setDesktop(Desktop desktop) { m_desktop = std::move(desktop); }

    void btnBrowseLogClick();
    void mnuStartLogClick();
    void mnuStopLogClick();
    void mnuConfigLogClick();
    void btnLogClick();
    // The Configure menu shows only the start or the stop item that applies.
    void configureMenuOpening();
    // Any tab change takes the group's highlight away.
    void clearHighlight();
    // Takes it away whenever pages shows another tab.
    void followTabs(const QTabWidget &pages);
    // After every processed sample: the button follows the file.
    void refresh();

    QGroupBox *GroupBox3 = nullptr;
    QCheckBox *cbLog = nullptr;
    QLineEdit *edLog = nullptr;
    QPushButton *btnBrowseLog = nullptr;
    QToolButton *btnLog = nullptr;
    QLabel *Image7 = nullptr;
    QAction *mnuStartLog = nullptr;
    QAction *mnuStopLog = nullptr;
    QAction *mnuConfigLog = nullptr;

signals:
    // "Configure Logging..." puts the "Graphs" group back to its normal look.
    void graphsHighlightCleared();

private:
    QString chooseLogFile();
    void edLogChange();

    Settings &m_settings;
    QString m_programFolder;
    Desktop m_desktop;
};
