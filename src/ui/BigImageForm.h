#pragma once

#include <QDialog>

class QLabel;
class PictureView;

// The enlarged picture: the current product's picture at its own size when it fits the
// window, shrunk into the window otherwise.
class TAppBigImage : public QDialog {
    Q_OBJECT
public:
    explicit TAppBigImage(QWidget *parent = nullptr);

    // Shows the picture file (the caption names it); runs the sizing rule.
    void showPicture(const QString &filePath);
    // Picture at its own size when the window has room for it, else shrunk to fit.
    void applySizingRule();

    PictureView *picture() const { return m_picture; }
    QString scaleText() const;
    QString sizeText() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    PictureView *m_picture = nullptr;
    QLabel *m_scalePanel = nullptr;
    QLabel *m_sizePanel = nullptr;
};
