#pragma once

#include "outputs/output_settings.h"

#include <QObject>

#include <functional>

// What the automatic capture rules read of one processed sample.
struct CaptureRuleSample {
    int plotCount = 0; // samples plotted since start-up, this one included
    int pointsPerPage = 0;
    double speedDown = 0; // Kbps
    double noiseMarginDown = 0; // dB
};

// The automatic captures: one per page of processed samples while
// "Capture each page" is on, and on a lost connection while "only if
// connection is lost" is on a capture at once and its follow-up one page
// later. Also what the toolbar's two capture indicators show: Image1
// (capture each page) and Image2 (capture only if lost).
class CaptureRules final : public QObject {
    Q_OBJECT

public:
    explicit CaptureRules(const Settings &settings, QObject *parent = nullptr);
    Q_DISABLE_COPY_MOVE(CaptureRules)

    // Runs after plotting, for every processed sample; captureAll captures
    // all graphs.
    void sampleProcessed(const CaptureRuleSample &sample, const std::function<void()> &captureAll);

    // Start or Resume: no follow-up pending; both indicators as the options.
    void runStarted();
    // Pause: no follow-up pending; Image1 as its option.
    void runPaused();
    // An option was switched: both indicators as the options' boxes now
    // show (their settings may not have caught up yet).
    void optionsChanged(bool eachPage, bool onlyIfLost);

    int PageCaptureCount() const { return m_pageCaptureCount; }
    bool LostSyncCaptured() const { return m_lostSyncCaptured; }
    bool image1Visible() const { return m_image1; }
    bool image2Visible() const { return m_image2; }

signals:
    void indicatorsChanged();

private:
    void setIndicators(bool image1, bool image2);

    OutputSettings m_settings;
    int m_pageCaptureCount = 0;
    bool m_lostSyncCaptured = false;
    bool m_image1 = false;
    bool m_image2 = false;
};

// The line counts as lost below 100 Kbps downstream or at a downstream
// noise margin of 0 dB or less.
bool ConnectionLost(double speedDown, double noiseMarginDown);
