#include "outputs/tray_step.h"

#include "outputs/tray_tooltip.h"
#include "sampling/line_sample.h"
#include "sampling/trim_working_set.h"

void TrayStep::sampleTaken(const PageLoad &load)
{
    takeFigures(load.sample);
    IconNoiseStep(IconMode::Run);
}

void TrayStep::runStateChanged(RunState state)
{
    if (state == RunState::Paused)
        IconNoiseStep(IconMode::Stop);
}

void TrayStep::pageHandled(const LineSample &sample)
{
    takeFigures(sample);
    m_show(QImage(), TrayTooltip(m_noiseMarginDown, m_speedDown, m_settings.locale()));
}

void TrayStep::takeFigures(const LineSample &sample)
{
    m_noiseMarginDown = sample.noiseMarginDown;
    m_speedDown = sample.speedDown;
}

void TrayStep::IconNoiseStep(IconMode mode)
{
    const QLocale &locale = m_settings.locale();
    const Drawn wanted { mode == IconMode::Run ? IconNoiseText(m_noiseMarginDown, locale)
                                               : QStringLiteral("?"),
        m_speedDown != 0 };
    QImage icon;
    if (wanted != m_drawn) {
        icon = IconNoise(mode, m_noiseMarginDown, m_speedDown, locale);
        m_drawn = icon.isNull() ? std::nullopt : std::optional<Drawn>(wanted);
    }
    m_show(icon, TrayTooltip(m_noiseMarginDown, m_speedDown, locale));
    TrimWorkingSet();
}
