#include "outputs/tray_step.h"

#include "outputs/tray_tooltip.h"
#include "sampling/line_sample.h"
#include "sampling/trim_working_set.h"

void TrayStep::sampleTaken(const PageLoad &load)
{
    Q_UNUSED(load);
    IconNoiseStep(IconMode::Run);
}

void TrayStep::paused()
{
    IconNoiseStep(IconMode::Stop);
}

void TrayStep::pageHandled()
{
    m_show(QImage(), TrayTooltip(m_sample.noiseMarginDown, m_sample.speedDown, m_settings.locale()));
}

void TrayStep::IconNoiseStep(IconMode mode)
{
    const QLocale &locale = m_settings.locale();
    m_show(IconNoise(mode, m_sample.noiseMarginDown, m_sample.speedDown, locale),
        TrayTooltip(m_sample.noiseMarginDown, m_sample.speedDown, locale));
    TrimWorkingSet();
}
