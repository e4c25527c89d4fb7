#pragma once

#include <QStringView>

// Integer conversion as the settings and the uptime use it: leading blanks,
// a sign, decimal digits or "$" / "0x" hexadecimal; anything else, or a value
// outside 32 bits, gives fallback.
int StrToIntDef(QStringView text, int fallback);
