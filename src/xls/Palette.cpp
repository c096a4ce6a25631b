#include "xls/Palette.h"

#include <cmath>

const quint32 Palette::kColours[kSize] = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
};

int Palette::nearestColourIndex(int red, int green, int blue)
{
    int best = 1;
    long bestDistance = -1;
    // The 56 palette entries, then the two system colours, both compared as black.
    for (int index = 1; index <= kSize + 2; ++index) {
        const quint32 rgb = index <= kSize ? kColours[index - 1] : 0;
        const double dr = red - int(rgb >> 16), dg = green - int((rgb >> 8) & 0xFF),
                     db = blue - int(rgb & 0xFF);
        const long distance = std::lround(std::sqrt(dr * dr + dg * dg + db * db));
        if (bestDistance < 0 || distance < bestDistance) {
            best = index;
            bestDistance = distance;
        }
    }
    return best;
}
