#include "ui/PortEdit.h"

#include <QIntValidator>
#include <QLocale>

PortEdit::PortEdit(QWidget *parent) : QLineEdit(parent)
{
    auto *validator = new QIntValidator(0, 999999999, this);
    validator->setLocale(QLocale::c());
    setValidator(validator);
    setAlignment(Qt::AlignRight);
}

int PortEdit::value() const
{
    return QLocale::c().toInt(text().trimmed());
}

void PortEdit::setValue(int value)
{
    setText(QLocale::c().toString(value));
}

void PortEdit::focusInEvent(QFocusEvent *event)
{
    if (value() == 0)
        clear();
    QLineEdit::focusInEvent(event);
}

void PortEdit::focusOutEvent(QFocusEvent *event)
{
    if (text().trimmed().isEmpty())
        setValue(0);
    QLineEdit::focusOutEvent(event);
}
