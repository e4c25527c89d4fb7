#include "outputs/sample_log.h"

#include "outputs/line_appender.h"

bool SampleLog::writeLine(const QString &path, const QString &logLine)
{
    if (m_trimBusy || !LineAppender(path, m_header).append(logLine, m_headerPending))
        return false;
    m_headerPending = false;
    return true;
}
