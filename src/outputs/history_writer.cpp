#include "outputs/history_writer.h"

void HistoryWriter::open(const QString &path)
{
    // The file was checked as it was opened for reading.
    if (!m_database.open(path, false))
        emit failed(m_database.errorText());
}

void HistoryWriter::write(const HistoryRecord &record)
{
    if (m_database.isOpen() && !m_database.insert(record))
        fail();
}

void HistoryWriter::removeBefore(const QDateTime &cutoff)
{
    if (m_database.isOpen() && !m_database.removeBefore(cutoff))
        fail();
}

void HistoryWriter::close()
{
    m_database.close();
}

void HistoryWriter::fail()
{
    const QString error = m_database.errorText();
    m_database.close();
    emit failed(error);
}
