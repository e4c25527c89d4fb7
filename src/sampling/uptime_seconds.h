#pragma once

#include <QStringView>

#include <optional>

// The router's uptime in seconds from its text as the toolbar shows it: an
// optional day count ("2 days, ", "1 day, ") and a clock "h:mm:ss". Nothing
// when the text does not read that way (an empty read-out, say).
std::optional<qint64> UptimeSeconds(QStringView text);
