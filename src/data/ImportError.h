#pragma once

#include <stdexcept>

#include <QString>

// An export line that cannot be imported; the text names the file, the line, the field and
// the text, for example: ExportPrice.csv, line 1207, field CENA: "12,50" is not a number
class ImportError : public std::runtime_error {
public:
    explicit ImportError(const QString &text) : std::runtime_error(text.toStdString()) {}
};
