#pragma once

#include "shell/commands/command_line.h"

#include <QString>
#include <QTextStream>

// Runs `--export-history`: writes the history of the data folder's
// history.sqlite as CSV (see HistoryCsvLine) and returns 0; 2 with a
// one-line message on err when there is no history, it cannot be read, or
// the file cannot be written.
int RunExportHistory(const ExportHistoryRequest &request, const QString &dataFolder, QTextStream &err);
