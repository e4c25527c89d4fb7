#include "support/reader_fixture.h"

#include <QStringList>

ReaderFixture::ReaderFixture(Reader reader, UserFigure user1, UserFigure user2) : m_reader(reader)
{
    options.user1 = user1;
    options.user2 = user2;
    options.logTab = 8;
    options.locale = QLocale::c();
}

void ReaderFixture::read(const QString &page)
{
    readouts.clear();
    sample.resetForPageLoad();
    sample.logLine = QStringLiteral("T, ");
    m_reader(page, options, sample, readouts);
}

QString ReaderFixture::shown() const
{
    return QStringList { readouts.Label20, readouts.Label22, readouts.Label15, readouts.Label23,
        readouts.Label25 }
        .join(u'|');
}
