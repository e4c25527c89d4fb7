#pragma once

#include <QDialog>

class Clock;
class DailyMaintenance;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTimeEdit;
class Settings;

// "Maintenance": the daily log trim and image deletion with their "now"
// buttons. There is no Cancel: every change goes into the settings at once,
// and closing stores all six schedule values again. Created once and reused
// for the whole run.
class TForm5 final : public QDialog {
    Q_OBJECT

public:
    // Which button opened the window: the "Log" and "Graphs" groups' buttons
    // paint their own group of the window white.
    enum class Opener { Menu, LogGroup, GraphsGroup, SystemOptions };

    // A stored time that does not read shows as the clock's time of day and
    // stays stored as it is until the user sets a time.
    TForm5(Settings &settings, DailyMaintenance &maintenance, const Clock &clock, QWidget *parent);
    Q_DISABLE_COPY_MOVE(TForm5)

    // Placed centred over the parent window, the opener's group painted
    // white, and shown modally; returns when the window is closed.
    int ShowModal(Opener opener);
    // The place that centres the window over its parent window (halves
    // rounded toward zero).
    QPoint centredPosition() const;

    QGroupBox *GroupBox1 = nullptr; // "Log Maintenance"
    QCheckBox *cbTrimLog = nullptr;
    QSpinBox *spTrimLines = nullptr;
    QTimeEdit *DateTimepicker1 = nullptr;
    QPushButton *btnTrimNow = nullptr;
    QPushButton *btnLogView = nullptr;
    QGroupBox *GroupBox2 = nullptr; // " Captured Images "
    QCheckBox *cbDeleteImages = nullptr;
    QSpinBox *spDays = nullptr;
    QTimeEdit *DeleteTimePicker = nullptr;
    QLabel *Label3 = nullptr; // which files the deletion takes
    QPushButton *btnDeleteNow = nullptr;
    QPushButton *btnImageView = nullptr;
    QPushButton *Button2 = nullptr; // "Close"

    // The controls take the settings, and the information text is set.
    void FormShow();
    void cbTrimLogClick(bool checked);
    void spTrimLinesChange(int lines);
    void DateTimepicker1Change(const QTime &time);
    void cbDeleteImagesClick(bool checked);
    void spDaysChange(int days);
    void DeleteTimePickerChange(const QTime &time);
    void btnTrimNowClick();
    void btnDeleteNowClick();

    // The groups' white face (the opener's highlight) on or off.
    static void setHighlighted(QGroupBox *group, bool on);

signals:
    // The tick icons beside the main window's "Maintenance" buttons follow
    // these.
    void trimLogChanged(bool on);
    void deleteImagesChanged(bool on);
    // "View" of the log: opens it as the toolbar's "ViewLog" does.
    void logViewWanted();
    // "View" of the images: the image viewer, shown modally at the main
    // window's left edge and 50 pixels below its top.
    void imageViewerWanted();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    QGroupBox *buildLogGroup();
    QGroupBox *buildImagesGroup();
    void storeAll();
    QString informationText(bool opening) const;

    Settings &m_settings;
    DailyMaintenance &m_maintenance;
    const Clock &m_clock;
    // The stored time did not read and the user has not set one since the
    // window was shown: closing leaves it alone.
    bool m_trimTimeUnread = false;
    bool m_deleteTimeUnread = false;
};
