#include "xls/XLSError.h"

namespace {
const char *const kMessages[] = {
    nullptr,
    "Buffer size is too small",
    "Stream not found: %s. File format is not Excel 97 or higher.",
    "Invalid cell value or type",
    "Invalid cell property value",
    "Invalid row or column number",
    "Invalid or duplicated sheet name",
    "Sheet name must have a length 1..255",
    "Invalid formula",
    "Invalid function in formula: %s",
    "String constants in formula must have a length 0..255",
    "Invalid range name: %s",
    "There are no sheets in the workbook",
    "Formula not recognized",
    "Invalid data. Error in link table.",
    "Invalid data. Error in drawing stream.",
    "Invalid data. Error in hyperlink.",
};
} // namespace

QString EXLSError::messageOf(int code, const QString &argument)
{
    if (code < 1 || code >= int(std::size(kMessages)))
        return QStringLiteral("Workbook error %1").arg(code);
    QString text = QString::fromLatin1(kMessages[code]);
    text.replace(QLatin1String("%s"), argument);
    return text;
}

EXLSError::EXLSError(int code, const QString &argument)
    : std::runtime_error(messageOf(code, argument).toStdString()), m_code(code)
{
}
