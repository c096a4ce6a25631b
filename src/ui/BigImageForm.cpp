#include "ui/BigImageForm.h"

#include "ui/PictureView.h"

#include <QFrame>
#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TAppBigImage::TAppBigImage(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(u"AppBigImage"_s);
    setModal(true);
    resize(674, 609);
    setMinimumSize(300, 300);

    auto *frame = new QFrame(this);
    frame->setObjectName(u"Panel1"_s);
    frame->setFrameShape(QFrame::Box);
    frame->setAutoFillBackground(true);
    QPalette white = frame->palette();
    white.setColor(QPalette::Window, Qt::white);
    frame->setPalette(white);
    m_picture = new PictureView(frame);
    m_picture->setObjectName(u"Image1"_s);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(1, 1, 1, 1);
    frameLayout->addWidget(m_picture);

    auto *status = new QStatusBar(this);
    status->setObjectName(u"StatusBar1"_s);
    status->setSizeGripEnabled(true);
    m_scalePanel = new QLabel(status);
    m_scalePanel->setObjectName(u"pnlScale"_s);
    m_scalePanel->setFixedWidth(100);
    m_sizePanel = new QLabel(status);
    m_sizePanel->setObjectName(u"pnlSize"_s);
    m_sizePanel->setMinimumWidth(50);
    status->addWidget(m_scalePanel);
    status->addWidget(m_sizePanel, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(frame, 1);
    layout->addWidget(status);
}

void TAppBigImage::showPicture(const QString &filePath)
{
    setWindowTitle(filePath);
    m_picture->load(filePath);
    applySizingRule();
}

void TAppBigImage::applySizingRule()
{
    const QImage &image = m_picture->image();
    const QSize outer = frameGeometry().size();
    const bool fits = outer.height() - 30 >= image.height() && outer.width() - 20 >= image.width();
    m_picture->setScaleToFit(!fits);
    m_scalePanel->setText(u"Масштаб: "_s + QString::number(int(m_picture->scale() * 100)) + u"%"_s);
    m_sizePanel->setText(u"Размер: "_s + QString::number(image.height()) + u"x"_s +
                         QString::number(image.width()));
}

QString TAppBigImage::scaleText() const
{
    return m_scalePanel->text();
}

QString TAppBigImage::sizeText() const
{
    return m_sizePanel->text();
}

void TAppBigImage::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    applySizingRule();
}
