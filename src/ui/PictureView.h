#pragma once

#include <QImage>
#include <QWidget>

// Shows one picture centred, at its own size or shrunk to fit; reports clicks.
class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget *parent = nullptr);

    // Loads a picture file; false (and an empty picture) when it cannot be read.
    bool load(const QString &filePath);
    void clear();
    bool isEmpty() const { return m_image.isNull(); }
    const QImage &image() const { return m_image; }

    void setScaleToFit(bool on);
    bool scaleToFit() const { return m_fit; }
    // The scale the picture is drawn at: 1 at its own size, smaller when shrunk to fit.
    double scale() const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QImage m_image;
    bool m_fit = true;
};
