#pragma once

#include "sampling/history_record.h"

#include <QString>

// The history as CSV: a header line naming the columns, then one line per
// sample: the moment in ISO 8601 (UTC, milliseconds, "Z"), the noise margins
// and speeds, the uptime in seconds (empty when not read), 1 or 0 for the
// statistics page, and an up and a down column for every user figure, empty
// where the sample did not read it. Numbers are written with "." and no
// more digits than they need.
QString HistoryCsvHeader();
QString HistoryCsvLine(const HistoryRecord &record);
