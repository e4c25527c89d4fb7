#pragma once

#include "sampling/line_sample.h"
#include "sampling/reader_options.h"

#include <QStringView>

// Reads a Type A router's statistics page (the body's HTML text) into the
// sample, the toolbar read-outs and the log line. Each figure is found by its
// visible label and cut by character positions; a missing label leaves its
// figure at the reset value and its log fields out.
void BTHomeHub3A(QStringView page, const ReaderOptions &options, LineSample &sample, Readouts &readouts);
