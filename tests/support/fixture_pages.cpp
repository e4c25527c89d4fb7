#include "support/fixture_pages.h"

#include <QFile>
#include <gtest/gtest.h>

const QString StatsDocumentUrl
    = QStringLiteral("http://192.168.1.254/index.cgi?active%5fpage=9118&nav%5fclear=1");

QByteArray FixtureBytes(const QString &name)
{
    QFile file(QStringLiteral(":/fixtures/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "no fixture page " << name.toStdString();
        return {};
    }
    return file.readAll();
}

QString FixturePage(const QString &name)
{
    return QString::fromUtf8(FixtureBytes(name));
}
