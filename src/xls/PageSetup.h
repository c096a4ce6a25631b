#pragma once

#include <QString>

// The print settings of a sheet, with the defaults of a new sheet.
struct TPageSetup {
    int paperSize = 0;
    bool scaleByPercent = true;
    int scale = 100;
    int firstPageNumber = 0xFFFF; // automatic
    int fitWidth = 1;
    int fitHeight = 1;
    int printOrder = 0;  // down, then over
    int orientation = 1; // portrait
    double headerMargin = 0.5;
    double footerMargin = 0.5;
    double leftMargin = 1.0;
    double rightMargin = 1.0;
    double topMargin = 0.8;
    double bottomMargin = 0.8;
    bool blackAndWhite = false;
    bool draft = false;
    bool printGridLines = false;
    bool printHeadings = false;
    bool centerHorizontally = false;
    bool centerVertically = false;
    QString headerLeft, headerCenter, headerRight;
    QString footerLeft, footerCenter, footerRight;
    bool SummaryRowsAbove = false;
    bool SummaryColumnsLeft = false;
};
