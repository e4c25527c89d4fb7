#pragma once

#include "sampling/line_sample.h"
#include "sampling/reader_options.h"

#include <QDateTime>
#include <QStringView>

// Steps both page readers share.
namespace ReaderSteps {

// Reads "down / up dB" from the noise margin window S into the sample, the
// read-outs and the log line.
void ReadNoiseMargin(
    QStringView window, const ReaderOptions &options, LineSample &sample, Readouts &readouts);

// One user-defined graph's values and baselines.
struct UserSlot {
    double &first; // user1Down / user2Down
    double &second; // user1Up / user2Up
    double &firstBase; // user1DownBase / user2DownBase
    double &secondBase; // user1UpBase / user2UpBase
};

UserSlot Slot1(LineSample &sample);
UserSlot Slot2(LineSample &sample);

// Reads "first / second" from the figure window S into the slot, appends
// both to the log line (second first) and takes unset baselines.
void ReadUserFigure(
    QStringView window, const ReaderOptions &options, const UserSlot &slot, LineSample &sample);

// The label or anchor of a figure on the page; empty for "[none]".
template<typename Table> QString LabelFor(UserFigure figure, const Table &labels)
{
    if (figure == UserFigure::None)
        return {};
    return labels[static_cast<size_t>(UserFigureIndex(figure))];
}

} // namespace ReaderSteps

// Starts a page's log line: the moment the page finished loading, formatted
// by LogDateFormat, and ", ".
void StartLogLine(LineSample &sample, const QDateTime &loadedAt, const QString &logDateFormat);
