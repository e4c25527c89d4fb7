#pragma once

#include <QDialog>

#include <memory>

class Clock;
class GraphModel;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class Settings;
class SettingsPrompts;

// "More Advanced Settings": the rarely needed settings, which have no control
// on the main window. The controls are filled from the settings at every
// opening and go back into them only through "Close"; "Cancel" and the close
// box leave the settings as they were. Created once, after the settings are
// loaded, and reused for the whole run.
class TForm7 final : public QDialog {
    Q_OBJECT

public:
    // The live examples show the clock's moment; "Close" applies DateStamp to
    // the graphs at once.
    TForm7(Settings &settings, const Clock &clock, GraphModel &graphs, QWidget *parent);
    ~TForm7() override;
    Q_DISABLE_COPY_MOVE(TForm7)

    // Who answers the warnings and the folder picker; the desktop's message
    // boxes and picker unless replaced. The prompts must outlive the dialog.
    void setPrompts(SettingsPrompts &prompts);

    // Placed centred over the parent window and shown modally; returns when
    // the dialog is closed.
    int ShowModal();
    // The place that centres the dialog over its parent window.
    QPoint centredPosition() const;

    QTabWidget *PageControl1 = nullptr;
    QLineEdit *edLogDateTime = nullptr;
    QLabel *Label10 = nullptr;
    QSpinBox *sptabSize = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *edTypeAUrl = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *edTypeBUrl = nullptr;
    QCheckBox *cbDateStamp = nullptr;
    QLineEdit *edImageDateTime = nullptr;
    QLabel *Label11 = nullptr;
    QCheckBox *cbPrefix = nullptr;
    QLineEdit *edImagePrefix = nullptr;
    QCheckBox *cbRecycle = nullptr;
    QLineEdit *edWebFolder = nullptr;
    QPushButton *Button3 = nullptr;
    QSpinBox *spDelay = nullptr;
    QCheckBox *cbMon1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;

    // The controls take the settings again, the examples the current moment,
    // and the statistics-page boxes follow the router type.
    void FormShow();
    // "Close": every control into its setting, then closes.
    void Button1Click();
    // "Cancel": closes without copying anything.
    void Button2Click();
    // "Browse...": the web folder from the folder picker.
    void Button3Click();
    void edLogDateTimeChange();
    void edImageDateTimeChange();
    // The user checked or cleared the box.
    void cbPrefixClick(bool checked);
    void cbRecycleClick(bool checked);
    void edWebFolderExit();
    void PageControl1Change();

signals:
    // "Close" copied the controls into their settings; what reads a setting
    // at its next use on another thread is told now.
    void applied();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildLoggingTab();
    QWidget *buildHomeHubAccessTab();
    QWidget *buildGraphsTab();
    QWidget *buildCapturedImagesTab();
    QWidget *buildWebServerTab();
    QWidget *buildSystemTab();
    void fillFromSettings();
    // Asks to confirm a box the user cleared; Cancel checks it again.
    void confirmCleared(QCheckBox *box, const QString &warning);

    Settings &m_settings;
    const Clock &m_clock;
    GraphModel &m_graphs;
    std::unique_ptr<SettingsPrompts> m_desktopPrompts;
    SettingsPrompts *m_prompts = nullptr;
};
