#include "ui/PictureView.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

PictureView::PictureView(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

bool PictureView::load(const QString &filePath)
{
    QImageReader reader(filePath);
    reader.setAutoTransform(true);
    m_image = reader.read();
    update();
    return !m_image.isNull();
}

void PictureView::clear()
{
    m_image = QImage();
    update();
}

void PictureView::setScaleToFit(bool on)
{
    m_fit = on;
    update();
}

double PictureView::scale() const
{
    if (m_image.isNull() || !m_fit)
        return 1.0;
    const double sx = double(width()) / m_image.width();
    const double sy = double(height()) / m_image.height();
    return std::min(sx, sy);
}

void PictureView::paintEvent(QPaintEvent *)
{
    if (m_image.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const double s = scale();
    const QSizeF size(m_image.width() * s, m_image.height() * s);
    const QRectF target(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2),
                        size);
    painter.drawImage(target, m_image);
}

void PictureView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}

void PictureView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    update();
}
