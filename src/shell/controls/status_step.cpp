#include "shell/controls/status_step.h"

#include "shell/controls/size_texts.h"

void StatusStep::sampleTaken(const PageLoad &load)
{
    Q_UNUSED(load);
    m_show({ LogPanelTextAfterSample(m_settings.logFile(), m_settings.logging(), m_settings.locale()),
        CapturePanelText(m_settings.captureFolder(), m_folderSizes, m_settings.locale()) });
}

StatusTexts StatusTextsAtStartUp(const Settings &settings)
{
    const OutputSettings outputs(settings);
    return { LogPanelTextAtStartUp(outputs.logFile(), outputs.locale()),
        CapturePanelText(outputs.captureFolder(), outputs.locale()) };
}
