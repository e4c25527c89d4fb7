#pragma once

#include <QByteArray>
#include <QString>

// Fixture pages by file name ("hub-a-statistics.html"), from the test
// resources. A missing name fails the calling test.
QString FixturePage(const QString &name);
QByteArray FixtureBytes(const QString &name);

// Where the engine reports the Type A statistics page once it has loaded.
extern const QString StatsDocumentUrl;
