#pragma once

// The constants that turn pixel sizes into the workbook's units. Set A belongs to a screen of
// exactly 96 dpi (and to no screen at all), set B to any other resolution.
struct TDisplayMetrics {
    int characterWidth;      // px
    int columnPadding;       // px
    double smallWidthFactor; // characters per pixel for widths of 11 px and less
    double pointsPerPixel;
    int defaultColumnWidth; // px
    int defaultRowHeight;   // px

    static TDisplayMetrics setA() { return {7, 5, 0.0834, 0.75, 64, 17}; }
    static TDisplayMetrics setB() { return {9, 7, 0.0626, 0.6, 80, 22}; }
    // By the screen's vertical logical resolution; 0 or less means there is no screen.
    static TDisplayMetrics forScreenDpi(int logicalDpiY)
    {
        return logicalDpiY <= 0 || logicalDpiY == 96 ? setA() : setB();
    }

    double columnPixelsToCharacters(int px) const
    {
        return px > 11 ? double(px - columnPadding) / characterWidth : px * smallWidthFactor;
    }
    double rowPixelsToPoints(int px) const { return px * pointsPerPixel; }
};
