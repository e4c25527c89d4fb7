#pragma once

#include "sampling/line_sample.h"
#include "sampling/reader_options.h"

#include <QStringView>

// Reads a Type B router's statistics page (the body's HTML text) into the
// sample, the toolbar read-outs and the log line. Figures are found by the
// script expressions that stand next to them; without the noise margin
// anchor only the uptime is read.
void BTHomeHub3B(QStringView page, const ReaderOptions &options, LineSample &sample, Readouts &readouts);
