#include "support/fixture_pages.h"

#include <QFile>
#include <gtest/gtest.h>

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
