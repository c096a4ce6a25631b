#pragma once

#include <QLineEdit>

// A whole-number edit that may be left empty: entering it while it holds 0 clears it, so the
// user types into an empty field; leaving it empty gives 0 again.
class PortEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit PortEdit(QWidget *parent = nullptr);
    int value() const;
    void setValue(int value);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};
