#pragma once

#include <QPixmap>

// The small toolbar indicators that show an option is on.
enum class Indicator { Logging, PadlockClosed, PadlockOpen, Tick };

// A 16 by 16 picture of our own for an indicator.
QPixmap IndicatorPicture(Indicator indicator);

// The toolbar's background: a soft vertical sky-blue gradient, drawn
// stretched over the whole strip.
QPixmap ToolbarBackgroundPicture();
