#pragma once

#include <QByteArray>

struct PublishedFigures;

// The content type of the Prometheus text exposition format, version 0.0.4.
QByteArray MetricsContentType();

// The figures in that format, every metric with its HELP and TYPE lines:
// margins, speeds, uptime (when it read) and the user-defined figures read,
// only while the last page load was the statistics page; the sample count,
// the moment of the last sample, the sample interval, the line events per
// kind, whether the router answers (also under its deprecated name), the
// run state and the program's version.
QByteArray MetricsText(const PublishedFigures &figures);
