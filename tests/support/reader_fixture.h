#pragma once

#include "sampling/line_sample.h"
#include "sampling/reader_options.h"

#include <QString>
#include <QStringView>

#include <gtest/gtest.h>

// One page reader fed page after page, the sample and read-outs kept between
// pages as the program keeps them: the C locale, log fields eight wide.
class ReaderFixture : public ::testing::Test {
protected:
    using Reader = void (*)(QStringView, const ReaderOptions &, LineSample &, Readouts &);

    ReaderFixture(Reader reader, UserFigure user1, UserFigure user2);

    // One page load: the read-outs cleared, the sample reset and its log line
    // begun with "T, " for the time stamp, then the page read.
    void read(const QString &page);
    // The five read-outs in the order Label20, Label22, Label15, Label23,
    // Label25, joined by "|".
    QString shown() const;

    ReaderOptions options;
    LineSample sample;
    Readouts readouts;

private:
    Reader m_reader;
};
