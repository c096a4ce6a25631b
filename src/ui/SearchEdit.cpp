#include "ui/SearchEdit.h"

#include <QKeyEvent>

SearchEdit::SearchEdit(QWidget *parent) : QLineEdit(parent)
{
    setFocusLook(false);
    // Pasted text comes in through an edit too; the search always sees capitals.
    connect(this, &QLineEdit::textEdited, this, [this](const QString &text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int pos = cursorPosition();
            setText(upper);
            setCursorPosition(pos);
        }
    });
}

void SearchEdit::typeText(const QString &text)
{
    insert(text.toUpper());
}

void SearchEdit::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() && text.toUpper() != text &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QKeyEvent upper(event->type(), event->key(), event->modifiers(), text.toUpper(),
                        event->isAutoRepeat(), ushort(event->count()));
        QLineEdit::keyPressEvent(&upper);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void SearchEdit::focusInEvent(QFocusEvent *event)
{
    setFocusLook(true);
    QLineEdit::focusInEvent(event);
}

void SearchEdit::focusOutEvent(QFocusEvent *event)
{
    setFocusLook(false);
    QLineEdit::focusOutEvent(event);
}

void SearchEdit::setFocusLook(bool focused)
{
    m_focusLook = focused;
    QPalette p = palette();
    QFont f = font();
    if (focused) {
        p.setColor(QPalette::Base, Qt::white);
        p.setColor(QPalette::Text, Qt::black);
        f.setBold(false);
    } else {
        // The application work-area colour of the desktop: a dark grey.
        p.setColor(QPalette::Base, QColor(0x80, 0x80, 0x80));
        p.setColor(QPalette::Text, Qt::white);
        f.setBold(true);
    }
    setPalette(p);
    setFont(f);
}
