#pragma once

#include <QByteArray>

struct PublishedFigures;

// The content type of the Prometheus text exposition format, version 0.0.4.
QByteArray MetricsContentType();

// The figures in that format, every metric with its HELP and TYPE lines:
// margins, speeds and uptime once a sample was taken (the uptime when it
// read), the user-defined figures that were read, the sample count, the
// moment of the last sample, the line events per kind, whether the last page load was the statistics
// page, and the run state.
QByteArray MetricsText(const PublishedFigures &figures);
