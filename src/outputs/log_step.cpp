#include "outputs/log_step.h"

#include "outputs/sample_log.h"

void LogStep::sampleTaken(const PageLoad &load)
{
    if (m_settings.logging())
        m_log.writeLine(m_settings.logFile(), load.sample.logLine);
}
