#pragma once

#include "common/StartupMessages.h"

#include <QWidget>

class QLabel;
class QLineEdit;

// The picture and one progress line shown while the catalog data is prepared. Created first,
// hidden between uses, never destroyed before the end. Every change of the line is painted at
// once: the callers run while no events are processed.
class TAppSplashForm : public QWidget, public StartupMessages {
    Q_OBJECT
public:
    explicit TAppSplashForm(QWidget *parent = nullptr);

    void clearStartupMessages() override;
    void setStartupMessage(const QString &text) override;
    void appendStartupMessage(const QString &text) override;

    QString message() const;

signals:
    // After every change, with the whole line.
    void messageChanged(const QString &line);

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void showLine(const QString &line);

    QLabel *m_image;
    QLineEdit *m_memo;
};
