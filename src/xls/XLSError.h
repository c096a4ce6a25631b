#pragma once

#include <QString>
#include <stdexcept>

// A failure of the workbook model or of its writer. The code selects one fixed message; the
// messages with "%s" take the name or text concerned.
class EXLSError : public std::runtime_error {
public:
    enum Code {
        BufferTooSmall = 1,
        StreamNotFound = 2,
        InvalidCellValue = 3,
        InvalidCellProperty = 4,
        InvalidRowOrColumn = 5,
        InvalidSheetName = 6,
        SheetNameLength = 7,
        InvalidFormula = 8,
        InvalidFunction = 9,
        FormulaStringLength = 10,
        InvalidRangeName = 11,
        NoSheets = 12,
        FormulaNotRecognized = 13,
        InvalidLinkTable = 14,
        InvalidDrawing = 15,
        InvalidHyperlink = 16,
    };

    explicit EXLSError(int code, const QString &argument = {});
    int code() const { return m_code; }

    static QString messageOf(int code, const QString &argument = {});

private:
    int m_code;
};
