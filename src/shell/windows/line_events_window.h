#pragma once

#include <QDialog>

class Clock;
class LineEventHistory;
class QCheckBox;
class QPushButton;
class QTableWidget;
class Settings;

// "Line Events": the line's events, newest first, with how many of each
// kind came in the last 24 hours and the last 7 days. It follows the
// history while it is open. Created once with the main window and reused.
class LineEventsWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LineEventsWindow)

public:
    // Moments are shown by the log's date pattern; the counts reach back
    // from the clock's now.
    LineEventsWindow(
        const LineEventHistory &history, const Settings &settings, const Clock &clock, QWidget *parent);

    // Placed centred over the parent window and shown modally; returns when
    // the window is closed.
    int ShowModal();
    // Fills the counts and the list from the history.
    void refresh();

    // The option of line event notifications, on this window and on the
    // Advanced tab.
    static QString NotifyEventsCaption();

    QTableWidget *tblCounts = nullptr; // one row per kind: last 24 hours, last 7 days
    QTableWidget *tblEvents = nullptr; // one row per event, newest first
    QCheckBox *cbNotifyEvents = nullptr; // in step with the Advanced tab's (NotifyEvents)
    QPushButton *btnClose = nullptr;

private:
    void fillCounts();
    void fillEvents();

    const LineEventHistory &m_history;
    const Settings &m_settings;
    const Clock &m_clock;
};
