#pragma once

#include <QString>

class Clock;
struct LineSample;

// What the graphs need from the main window: the run state and the sample,
// the sample cycle's controls, and the log header it keeps. TForm1
// implements it in a few lines by forwarding to its own members.
class GraphHost {
public:
    virtual ~GraphHost() = default;

    // The run state is Running.
    virtual bool isRunning() const = 0;
    // The current sample; the hour baselines are cleared through it.
    virtual LineSample &lineSample() = 0;
    virtual const Clock &clock() const = 0;

    // The Pause button's handler (btnStopClick), called directly.
    virtual void pauseSampling() = 0;
    // The Start/Resume button's handler (btnRunClick), called directly.
    virtual void startSampling() = 0;
    // A button went down on a graph: set samplingHold and stop the sample
    // timer, so that no sample is taken while the graph is held.
    virtual void holdSampling() = 0;
    // The button came up: clear samplingHold and start the sample timer
    // again exactly when the run state is Running (a full interval from now).
    virtual void releaseSampling() = 0;
    // The sample interval changed (spSample): the timer takes it at once.
    virtual void setSampleSeconds(int seconds) = 0;

    // LogHeader rebuilt from the figures; LogHeaderPending raised.
    virtual void setLogHeader(const QString &header) = 0;
    virtual void setLogHeaderPending() = 0;

    // Brings the "Advanced" tab to the front.
    virtual void showAdvancedTab() = 0;
};
