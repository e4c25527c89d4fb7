#include "sampling/sample_cycle.h"

#include "base/clock.h"
#include "base/date_time_pattern.h"
#include "sampling/browser_view.h"
#include "sampling/line_sample.h"
#include "sampling/trim_working_set.h"

#include <algorithm>
#include <exception>
#include <limits>

namespace {

constexpr int HintMilliseconds = 10000;

} // namespace

SampleCycle::SampleCycle(
    BrowserView &view, NavigationUrls &urls, LineSample &sample, const Clock &clock, QObject *parent)
    : QObject(parent), m_view(view), m_urls(urls), m_sample(sample), m_clock(clock)
{
    m_timer1.setInterval(m_sampleSeconds * 1000);
    setPauseDelaySeconds(DefaultOf(SettingKey::PauseDelay, {}).toInt());
    m_timer2.setInterval(HintMilliseconds);
    connect(&m_timer1, &QTimer::timeout, this, &SampleCycle::Timer1Timer);
    connect(&m_timer5, &QTimer::timeout, this, &SampleCycle::Timer5Timer);
    connect(&m_timer2, &QTimer::timeout, this, &SampleCycle::Timer2Timer);
}

void SampleCycle::setSampleSeconds(int seconds)
{
    m_sampleSeconds = seconds;
    if (m_timer1.isActive())
        m_timer1.start(intervalMs());
    else
        m_timer1.setInterval(intervalMs());
}

void SampleCycle::overrideIntervalMs(int ms)
{
    m_intervalOverrideMs = ms;
    setSampleSeconds(m_sampleSeconds);
}

int SampleCycle::intervalMs() const
{
    return m_intervalOverrideMs > 0 ? m_intervalOverrideMs : m_sampleSeconds * 1000;
}

void SampleCycle::setPauseDelaySeconds(int seconds)
{
    // A hand-edited file can hold any number; a timer runs at most about
    // 24 days, and never backwards.
    m_timer5.setInterval(std::clamp(seconds, 0, std::numeric_limits<int>::max() / 1000) * 1000);
}

void SampleCycle::btnRunClick()
{
    emit navigationHintHidden();
    m_runCaption = QStringLiteral("Resume");
    setState(RunState::Running);
    m_runPressed = true;
    m_stopPressed = false;
    if (m_urls.navigationUrl != m_urls.learnedUrl)
        m_urls.navigationUrl = m_urls.learnedUrl;

    // A Start while already running with the same interval leaves the
    // countdown alone; only the immediate sample below is added.
    const int interval = intervalMs();
    if (!m_timer1.isActive() || m_timer1.interval() != interval)
        m_timer1.start(interval);

    m_samplingHold = false;
    Timer1Timer();

    emit startTimeChanged(
        QStringLiteral("Start: ") + FormatDateTime(QStringLiteral("ddd dd mmmm hh:mm:ss"), m_clock.now()));
    m_sample.clearBaselines();
    m_sample.speedUpText.clear();
    m_sample.speedDownText.clear();
    m_timer5.stop();
    m_stopCaption = QStringLiteral("Pause");
    m_stopGlyph = QStringLiteral("pausebitmap");
    emit started();
    emit runStateChanged();
}

void SampleCycle::btnStopClick()
{
    if (m_state == RunState::Stopped)
        return;
    if (m_state == RunState::Paused) {
        m_timer5.stop();
        return;
    }
    setState(RunState::Paused);
    m_runCaption = QStringLiteral("Resume");
    m_stopCaption = QStringLiteral("Stop");
    m_stopGlyph = QStringLiteral("stopbitmap");
    m_runPressed = false;
    m_stopPressed = true;
    m_timer5.start();
    m_timer1.stop();
    m_samplingHold = true;
    emit paused();
    emit runStateChanged();
}

void SampleCycle::btnStopMouseDown()
{
    if (m_state != RunState::Paused)
        return;
    m_timer1.stop();
    m_timer5.stop();
    setState(RunState::Stopped);
    m_runCaption = QStringLiteral("Start");
    emit runStateChanged();
}

void SampleCycle::Timer1Timer()
{
    if (m_samplingHold)
        return;
    // A failing navigation must not end sampling: the next tick tries again.
    try {
        m_view.setSilent(true);
        m_view.ensureWindow();
        if (!m_urls.navigationUrl.isEmpty())
            m_view.navigate(m_urls.navigationUrl, 0);
        else
            m_view.reload();
        TrimWorkingSet();
    } catch (const std::exception &) {
    }
    emit sampleRequested();
}

void SampleCycle::Timer5Timer()
{
    btnRunClick();
}

void SampleCycle::Timer2Timer()
{
    emit navigationHintHidden();
    m_timer2.stop();
}

void SampleCycle::graphMouseDown()
{
    m_samplingHold = true;
    m_timer1.stop();
}

void SampleCycle::graphMouseUp()
{
    m_samplingHold = false;
    if (m_state == RunState::Running)
        m_timer1.start(intervalMs());
}

void SampleCycle::stopSampleTimer()
{
    m_timer1.stop();
}

void SampleCycle::restartSampleTimerIfRunning()
{
    if (m_state == RunState::Running)
        m_timer1.start(intervalMs());
}

void SampleCycle::setHintTimerActive(bool active)
{
    if (active)
        m_timer2.start();
    else
        m_timer2.stop();
}

void SampleCycle::setState(RunState state)
{
    m_state = state;
}
