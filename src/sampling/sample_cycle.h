#pragma once

#include "base/settings_schema.h"
#include "sampling/navigation_urls.h"
#include "sampling/run_state.h"

#include <QObject>
#include <QString>
#include <QTimer>

class BrowserView;
class Clock;
struct LineSample;

// The run states and the timers that drive sampling: Start, Pause, Stop,
// the sample tick (Timer1), the automatic resume (Timer5) and the
// navigation hint timeout (Timer2). Everything runs on the user-interface
// thread.
class SampleCycle final : public QObject {
    Q_OBJECT

public:
    SampleCycle(BrowserView &view, NavigationUrls &urls, LineSample &sample, const Clock &clock,
        QObject *parent = nullptr);
    Q_DISABLE_COPY_MOVE(SampleCycle)

    // The sample interval (spSample); takes effect at once, a running
    // countdown starts over.
    void setSampleSeconds(int seconds);
    int sampleSeconds() const { return m_sampleSeconds; }
    // For trying the program out quickly (the demo's hidden fast mode): the
    // sample timer runs every ms milliseconds whatever the interval says.
    void overrideIntervalMs(int ms);
    // The automatic resume delay; set once when the window is created.
    void setPauseDelaySeconds(int seconds);

    void btnRunClick(); // Start
    void btnStopClick(); // Pause
    void btnStopMouseDown(); // Stop, on the press before the click
    void Timer1Timer(); // sample tick
    void Timer5Timer(); // automatic resume
    void Timer2Timer(); // hint timeout

    // A graph held with the mouse suspends sampling until it is released.
    void graphMouseDown();
    void graphMouseUp();

    // A modal step that must not be interrupted by a sample (saving the
    // router page's picture) stops the sample timer and restarts it after,
    // only when the run state is then Running.
    void stopSampleTimer();
    void restartSampleTimerIfRunning();

    // The hint timer: on while the navigation hint shows.
    void setHintTimerActive(bool active);

    RunState runState() const { return m_state; }
    bool samplingHold() const { return m_samplingHold; }
    QString title() const { return RunStateTitle(m_state); }
    QString runCaption() const { return m_runCaption; }
    QString stopCaption() const { return m_stopCaption; }
    QString stopGlyph() const { return m_stopGlyph; } // bitmap resource name
    bool runPressed() const { return m_runPressed; }
    bool stopPressed() const { return m_stopPressed; }

    const QTimer &timer1() const { return m_timer1; }
    const QTimer &timer5() const { return m_timer5; }
    const QTimer &timer2() const { return m_timer2; }

signals:
    // After the sample tick told the view to load the page.
    void sampleRequested();
    // The run state, a caption, a glyph or a latched look changed.
    void runStateChanged();
    // Start ran (by the button, the automatic resume or a paging button);
    // the daily maintenance check and the capture state follow it.
    void started();
    // Pause ran from Running.
    void paused();
    // The status bar's start text: "Start: " and the moment of the Start.
    void startTimeChanged(const QString &text);
    // The navigation hint is to go: Start, or its ten seconds are up.
    void navigationHintHidden();

private:
    void setState(RunState state);
    int intervalMs() const;

    BrowserView &m_view;
    NavigationUrls &m_urls;
    LineSample &m_sample;
    const Clock &m_clock;

    RunState m_state = RunState::Idle;
    bool m_samplingHold = false;
    int m_sampleSeconds = kSampleSecondsMin;
    int m_intervalOverrideMs = 0;
    QString m_runCaption = QStringLiteral("Start");
    QString m_stopCaption = QStringLiteral("Pause");
    QString m_stopGlyph = QStringLiteral("pausebitmap");
    bool m_runPressed = false;
    bool m_stopPressed = false;

    QTimer m_timer1;
    QTimer m_timer5;
    QTimer m_timer2;
};
