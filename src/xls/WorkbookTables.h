#pragma once

#include "xls/DisplayMetrics.h"
#include "xls/FontTable.h"
#include "xls/FormatStrings.h"
#include "xls/XFTable.h"

// The records every sheet of a workbook shares.
struct TWorkbookTables {
    TFormatStrings formats;
    TVirtualFontTable fonts;
    TVirtualXFTable xfs;
    TDisplayMetrics metrics = TDisplayMetrics::setA();
};
