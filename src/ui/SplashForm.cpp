#include "ui/SplashForm.h"

#include "app/AppTitle.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

namespace {

constexpr int pictureSize = 401;
constexpr int lineHeight = 15;

QPixmap splashPicture()
{
    QPixmap pixmap(pictureSize, pictureSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, pictureSize);
    sky.setColorAt(0, QColor(0x1F, 0x4E, 0x8C));
    sky.setColorAt(1, QColor(0x0B, 0x22, 0x45));
    p.fillRect(pixmap.rect(), sky);

    // A stack of boxes: the warehouse the catalog comes from.
    const QColor boxColours[] = {QColor(0xC8, 0x96, 0x4B), QColor(0xB5, 0x82, 0x3C),
                                 QColor(0xD9, 0xA8, 0x5E)};
    const QRect boxes[] = {{110, 190, 90, 80}, {205, 190, 90, 80}, {158, 105, 90, 80}};
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(QColor(0x5A, 0x3A, 0x12), 2));
        p.setBrush(boxColours[i]);
        p.drawRect(boxes[i]);
        p.drawLine(boxes[i].center().x(), boxes[i].top(), boxes[i].center().x(),
                   boxes[i].top() + 22);
    }

    p.setPen(Qt::white);
    QFont title = p.font();
    title.setPixelSize(40);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(0, 20, pictureSize, 60), Qt::AlignCenter, QStringLiteral("Ferrow"));
    QFont sub = p.font();
    sub.setPixelSize(20);
    sub.setBold(false);
    p.setFont(sub);
    p.drawText(QRect(0, 290, pictureSize, 30), Qt::AlignCenter,
               QStringLiteral("Электронный каталог"));
    sub.setPixelSize(13);
    p.setFont(sub);
    p.setPen(QColor(0xC0, 0xDC, 0xC0));
    p.drawText(QRect(0, 335, pictureSize, 24), Qt::AlignCenter,
               QStringLiteral("Подготовка данных..."));
    return pixmap;
}

} // namespace

TAppSplashForm::TAppSplashForm(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_image(new QLabel(this)), m_memo(new QLineEdit(this))
{
    setObjectName(QStringLiteral("AppSplashForm"));
    setWindowTitle(AppTitle() + QStringLiteral(". Подготовка данных..."));
    setFixedSize(pictureSize, pictureSize + lineHeight);

    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setGeometry(0, 0, pictureSize, pictureSize);
    m_image->setPixmap(splashPicture());

    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setGeometry(0, pictureSize, pictureSize, lineHeight);
    m_memo->setReadOnly(true);
    m_memo->setFrame(false);
    m_memo->setFocusPolicy(Qt::NoFocus);
    QPalette palette = m_memo->palette();
    palette.setColor(QPalette::Base, QColor(0xC0, 0xDC, 0xC0)); // money green
    palette.setColor(QPalette::Text, Qt::blue);
    m_memo->setPalette(palette);
    QFont font = m_memo->font();
    font.setPointSize(8);
    m_memo->setFont(font);
}

void TAppSplashForm::clearStartupMessages()
{
    showLine({});
}

void TAppSplashForm::setStartupMessage(const QString &text)
{
    showLine(text);
}

void TAppSplashForm::appendStartupMessage(const QString &text)
{
    showLine(m_memo->text() + text);
}

QString TAppSplashForm::message() const
{
    return m_memo->text();
}

void TAppSplashForm::showLine(const QString &line)
{
    m_memo->setText(line);
    m_memo->setCursorPosition(0);
    m_memo->repaint();
    emit messageChanged(line);
}

void TAppSplashForm::showEvent(QShowEvent *event)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QWidget::showEvent(event);
}

void TAppSplashForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        m_image->repaint();
        repaint();
    }
    QWidget::changeEvent(event);
}
