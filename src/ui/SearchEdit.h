#pragma once

#include <QLineEdit>

// The search line: what is typed comes out in capitals; white while it has the focus,
// bold white on the work-area colour while it has not.
class SearchEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit SearchEdit(QWidget *parent = nullptr);
    // Delivers typed text as the keyboard would (upper-cased).
    void typeText(const QString &text);
    bool hasFocusLook() const { return m_focusLook; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void setFocusLook(bool focused);
    bool m_focusLook = false;
};
