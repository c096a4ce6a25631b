#pragma once

#include <QString>

#include <stdexcept>

// An order operation that was refused; the text is for the user.
class OrderError : public std::runtime_error {
public:
    explicit OrderError(const QString &text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};
