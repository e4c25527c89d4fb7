#pragma once

#include <QString>

// The sample log's column header: the five fixed columns, then an Up and a
// Down column for each user-defined graph that shows a figure.
QString BuildLogHeader(const QString &user1Text, const QString &user2Text);
