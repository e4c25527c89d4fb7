#pragma once

#include "shell/commands/command_line.h"

#include <QJsonObject>
#include <QStringView>
#include <QTextStream>

class Clock;

// One saved statistics page read as the program reads a loaded page, as the
// JSON object `--read-page` prints.
QJsonObject ReadPageAsJson(QStringView page, const ReadPageRequest &request, const QDateTime &loadedAt);

// Runs `--read-page`: 0 on success, 2 with a one-line message on err when
// the file cannot be read.
int RunReadPage(const ReadPageRequest &request, const Clock &clock, QTextStream &out, QTextStream &err);
