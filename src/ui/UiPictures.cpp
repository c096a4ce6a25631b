#include "ui/UiPictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

// Resources of a static library are not registered by themselves.
static void registerPictureResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)registered;
}

QIcon UiPictures::icon(const QString &name)
{
    registerPictureResources();
    return QIcon(QStringLiteral(":/icons/%1.png").arg(name));
}

QPixmap UiPictures::noPhoto(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor line(0xc8, 0xc8, 0xc8);
    const qreal s = side;

    // A camera outline in light grey: says "no picture" without drawing attention.
    QPen pen(line, qMax<qreal>(2.0, s / 60.0));
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QRectF body(s * 0.25, s * 0.34, s * 0.5, s * 0.32);
    p.drawRoundedRect(body, s * 0.04, s * 0.04);
    p.drawRect(QRectF(s * 0.40, s * 0.29, s * 0.2, s * 0.05));
    p.drawEllipse(body.center(), s * 0.1, s * 0.1);
    p.drawLine(QPointF(s * 0.22, s * 0.72), QPointF(s * 0.78, s * 0.28));

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(qMax(10, side / 14));
    p.setFont(font);
    p.setPen(QColor(0xa0, 0xa0, 0xa0));
    p.drawText(QRectF(0, s * 0.72, s, s * 0.12), Qt::AlignCenter, QStringLiteral("Нет фото"));
    return pixmap;
}

QPixmap UiPictures::splash()
{
    const int side = 401;
    QPixmap pixmap(side, side);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, side);
    sky.setColorAt(0.0, QColor(0x1f, 0x4e, 0x8c));
    sky.setColorAt(1.0, QColor(0x0b, 0x24, 0x47));
    p.fillRect(pixmap.rect(), sky);

    // A stack of boxes: the supplier's goods.
    const QColor boxFace(0xe3, 0xb0, 0x6a);
    const QColor boxEdge(0x8a, 0x5a, 0x22);
    p.setPen(QPen(boxEdge, 2));
    const QRect boxes[] = {{110, 190, 90, 70}, {200, 190, 90, 70}, {155, 120, 90, 70}};
    for (const QRect &box : boxes) {
        p.setBrush(boxFace);
        p.drawRect(box);
        p.drawLine(box.center().x(), box.top(), box.center().x(), box.top() + 18);
    }

    QFont title(QStringLiteral("Arial"));
    title.setBold(true);
    title.setPixelSize(40);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 30, side, 60), Qt::AlignCenter, QStringLiteral("ТД \"Ferrow\""));

    QFont sub(QStringLiteral("Arial"));
    sub.setPixelSize(22);
    p.setFont(sub);
    p.drawText(QRect(0, 280, side, 40), Qt::AlignCenter, QStringLiteral("Электронный каталог"));
    sub.setPixelSize(14);
    p.setFont(sub);
    p.setPen(QColor(0xc0, 0xd0, 0xe8));
    p.drawText(QRect(0, 330, side, 30), Qt::AlignCenter, QStringLiteral("Подготовка данных..."));
    return pixmap;
}
