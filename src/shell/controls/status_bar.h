#pragma once

#include <QObject>
#include <QString>

class GraphCapture;
class QLabel;
class QStatusBar;
class SampleCycle;
class Settings;
struct StatusTexts;

// The main window's status bar: the run's start time, the log's name and
// size, and the capture folder's size. The panels follow the sample cycle
// and the graph capture themselves.
class StatusBar final : public QObject {
    Q_OBJECT

public:
    // Fills bar with the three panels; parented to bar.
    StatusBar(
        QStatusBar &bar, const SampleCycle &cycle, const GraphCapture &capture, const Settings &settings);
    Q_DISABLE_COPY_MOVE(StatusBar)

    // The log and capture folder texts.
    void showTexts(const StatusTexts &texts);
    // A problem the user should know of, over the panels for a while.
    void showProblem(const QString &text);

    QLabel *StatusPanel0 = nullptr; // start time
    QLabel *StatusPanel1 = nullptr; // log file and size
    QLabel *StatusPanel2 = nullptr; // capture folder size

private:
    void showCaptureFolder();

    QStatusBar &m_bar;
    const Settings &m_settings;
};
