#pragma once

#include "xls/DisplayMetrics.h"
#include "xls/FontTable.h"
#include "xls/FormatStrings.h"
#include "xls/SharedStrings.h"
#include "xls/XFTable.h"

// The records every sheet of a workbook shares.
struct TWorkbookTables {
    TFormatStrings formats;
    TVirtualFontTable fonts;
    TVirtualXFTable xfs;
    SharedStrings texts;
    TDisplayMetrics metrics = TDisplayMetrics::setA();
    // The last number format given to a cell: the format records never change once listed, so
    // the same format on a cell of the same record gives the same record again (a column of
    // prices takes one look-up instead of one a cell).
    struct FormatChange {
        int from = -1, format = -1, to = -1;
    } lastFormatChange;
};
