#pragma once

#include <QDateTime>

// Where the program takes "now" from. Logic never asks the system time
// directly, so tests can fix and advance the moment.
class Clock {
public:
    virtual ~Clock() = default;

    // The current local date and time.
    virtual QDateTime now() const = 0;

    // The real clock of the machine.
    static const Clock &system();
};
