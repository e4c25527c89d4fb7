#pragma once

#include <QStringView>

// Whether a text is a valid IPv4 address as the address boxes take one: with
// blanks removed at both ends, cut at "." into pieces, each of the first four
// pieces is a whole number from 0 to 255 written in decimal digits; a missing
// piece fails, and anything after a fourth "." is not examined.
bool IsValidIPv4(QStringView text);
