#pragma once

#include <QValidator>

// The discount field: blank, or a number from 0 to 100 with "." as the decimal separator.
// Unlike QDoubleValidator it refuses what is out of range as it is typed.
class PercentValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};
