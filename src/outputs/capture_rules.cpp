#include "outputs/capture_rules.h"

namespace {

constexpr double LostBelowKbps = 100;
constexpr double LostAtOrBelowDb = 0;
// The first two samples after start-up may still show a line coming up.
constexpr int SettledPlotCount = 2;

} // namespace

bool ConnectionLost(double speedDown, double noiseMarginDown)
{
    return speedDown < LostBelowKbps || !(noiseMarginDown > LostAtOrBelowDb);
}

CaptureRules::CaptureRules(const Settings &settings, QObject *parent) : QObject(parent), m_settings(settings)
{
}

void CaptureRules::sampleProcessed(const CaptureRuleSample &sample, const std::function<void()> &captureAll)
{
    // A page of samples since the last automatic capture: the page capture,
    // or the follow-up of a lost-connection capture.
    ++m_pageCaptureCount;
    if ((m_lostSyncCaptured || m_settings.captureEachPage()) && m_pageCaptureCount >= sample.pointsPerPage) {
        captureAll();
        m_pageCaptureCount = 0;
        m_lostSyncCaptured = false;
    }

    if (m_settings.captureOnlyIfLost() && sample.plotCount > SettledPlotCount && !m_lostSyncCaptured
        && ConnectionLost(sample.speedDown, sample.noiseMarginDown)) {
        m_lostSyncCaptured = true;
        captureAll();
        setIndicators(true, false);
        m_pageCaptureCount = 0;
    }
}

void CaptureRules::runStarted()
{
    m_lostSyncCaptured = false;
    setIndicators(m_settings.captureEachPage(), m_settings.captureOnlyIfLost());
}

void CaptureRules::runPaused()
{
    m_lostSyncCaptured = false;
    setIndicators(m_settings.captureEachPage(), m_image2);
}

void CaptureRules::optionsChanged(bool eachPage, bool onlyIfLost)
{
    setIndicators(eachPage, onlyIfLost);
}

void CaptureRules::setIndicators(bool image1, bool image2)
{
    const bool changed = image1 != m_image1 || image2 != m_image2;
    m_image1 = image1;
    m_image2 = image2;
    if (changed)
        emit indicatorsChanged();
}
