#pragma once

#include <QString>

#include <stdexcept>

// An order operation that was refused; the text is for the user.
class OrderError : public std::runtime_error {
public:
    explicit OrderError(const QString &text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }

    // A line for a product the price list does not hold.
    static OrderError productMissing(int priceId)
    {
        return OrderError(
            QStringLiteral("Товара с ID %1 нет в прайс-листе, строка заказа не изменена.")
                .arg(priceId));
    }
};
