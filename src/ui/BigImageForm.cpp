#include "ui/BigImageForm.h"

#include "browse/BigImageView.h"
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
    resize(BigImageView::kInitialWidth, BigImageView::kInitialHeight);
    setMinimumSize(BigImageView::kMinimumSize, BigImageView::kMinimumSize);

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
    const BigImageView::Layout layout =
        BigImageView::layout(frameGeometry().size(), m_picture->size(), m_picture->image().size());
    m_picture->setScaleToFit(layout.scaleToFit);
    m_scalePanel->setText(layout.scaleText);
    m_sizePanel->setText(layout.sizeText);
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
