#pragma once

#include "sampling/sample_pipeline.h"

#include <QString>

#include <functional>

// One sample as a line for a terminal or a service journal: the moment of
// the page load, then the noise margins and the sync speeds, downstream
// first, in plain digits whatever the locale, so the lines can be read by
// scripts too: "2026-12-09 10:11:12 noise margin down 6.2 dB up 5.1 dB,
// sync down 8128 kbps up 1020 kbps".
QString ConsoleLine(const PageLoad &load);

// The console step of the program without windows: one line per sample
// handed to print, which writes and flushes it.
class ConsoleStep final : public SampleStep {
public:
    using Print = std::function<void(const QString &line)>;

    explicit ConsoleStep(Print print) : m_print(std::move(print)) { }

    void sampleTaken(const PageLoad &load) override { m_print(ConsoleLine(load)); }

private:
    Print m_print;
};
