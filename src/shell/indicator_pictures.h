#pragma once

#include <QPixmap>

// The small toolbar indicators that show an option is on.
enum class Indicator { Logging, PadlockClosed, PadlockOpen, Tick };

// A 16 by 16 picture of our own for an indicator.
QPixmap IndicatorPicture(Indicator indicator);
