#pragma once

#include "graphs/graph_host.h"
#include "sampling/line_sample.h"
#include "support/fake_clock.h"

// The main window as the graphs see it, with every call recorded.
class FakeGraphHost final : public GraphHost {
public:
    bool isRunning() const override { return running; }
    LineSample &lineSample() override { return sample; }
    const Clock &clock() const override { return fakeClock; }
    void pauseSampling() override
    {
        ++pauses;
        running = false;
    }
    void startSampling() override
    {
        ++starts;
        running = true;
    }
    void holdSampling() override
    {
        samplingHold = true;
        timerEnabled = false;
    }
    void releaseSampling() override
    {
        samplingHold = false;
        timerEnabled = running;
    }
    void setSampleSeconds(int seconds) override { sampleSeconds = seconds; }
    void setLogHeader(const QString &header) override { logHeader = header; }
    void setLogHeaderPending() override { logHeaderPending = true; }
    void showAdvancedTab() override { ++advancedShown; }

    bool running = true;
    LineSample sample;
    FakeClock fakeClock;
    int pauses = 0;
    int starts = 0;
    bool samplingHold = false;
    bool timerEnabled = true;
    int sampleSeconds = 0;
    QString logHeader;
    bool logHeaderPending = false;
    int advancedShown = 0;
};
