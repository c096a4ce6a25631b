#pragma once

#include <QtGlobal>

// The default palette of the file format (colour numbers 8 to 63) and the search for the
// nearest colour index of the model (1 to 58, where 57 and 58 are the system colours).
namespace Palette {

constexpr int kSize = 56;
// Entry i (0-based) is colour number i + 8, as 0xRRGGBB.
extern const quint32 kColours[kSize];

// Colour index 1 to 58 nearest to the colour; the first of equally near entries wins.
int nearestColourIndex(int red, int green, int blue);

} // namespace Palette
