#include "ui/MainFormLayout.h"

#include "ui/CatalogGrid.h"
#include "ui/GroupTreeModel.h"
#include "ui/LimitedSplitter.h"
#include "ui/PercentValidator.h"
#include "ui/PictureView.h"
#include "ui/PriceTableModel.h"
#include "ui/SearchEdit.h"
#include "ui/TitleHeaderView.h"
#include "ui/UiPictures.h"
#include "ui/ZakazTableModel.h"

#include <QCheckBox>
#include <QDoubleValidator>
#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedLayout>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

std::vector<int> widthsOf(const GridColumns &columns)
{
    std::vector<int> widths;
    for (const GridColumn &c : columns)
        widths.push_back(c.width);
    return widths;
}

QToolButton *commandButton(QToolBar *bar, const QString &name, const QString &hint,
                           const QString &picture)
{
    auto *button = new QToolButton(bar);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setIcon(UiPictures::icon(picture));
    button->setIconSize(QSize(48, 48));
    button->setFixedSize(52, 52);
    button->setAutoRaise(true);
    bar->addWidget(button);
    return button;
}

QLabel *stripLabel(QWidget *parent, const QString &text, const QFont &font)
{
    auto *label = new QLabel(text, parent);
    label->setFont(font);
    return label;
}

} // namespace

void MainFormLayout::build(QMainWindow *window)
{
    // 1. The toolbar with the ten commands and the exchange panel.
    ToolBar1 = new QToolBar(window);
    ToolBar1->setObjectName(u"ToolBar1"_s);
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setFixedHeight(58);
    ToolBar1->setIconSize(QSize(48, 48));
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    window->addToolBar(Qt::TopToolBarArea, ToolBar1);
    SpeedButton1 = commandButton(ToolBar1, u"SpeedButton1"_s, u"Новый заказ"_s, u"new-order"_s);
    SpeedButton3 =
        commandButton(ToolBar1, u"SpeedButton3"_s, u"Сохранить заказ в архив"_s, u"save-order"_s);
    SpeedButton2 = commandButton(ToolBar1, u"SpeedButton2"_s, u"Архив заказов"_s, u"archive"_s);
    SpeedButton6 =
        commandButton(ToolBar1, u"SpeedButton6"_s, u"Экспорт заказа в MS Excel"_s, u"export"_s);
    btnGetNewPrice =
        commandButton(ToolBar1, u"btnGetNewPrice"_s, u"Обновить данные"_s, u"update-data"_s);
    btnGetNewPictures = commandButton(ToolBar1, u"btnGetNewPictures"_s, u"Обновить изображения"_s,
                                      u"update-pictures"_s);
    SpeedButton4 = commandButton(ToolBar1, u"SpeedButton4"_s, u"Настройки"_s, u"settings"_s);
    SpeedButton7 = commandButton(ToolBar1, u"SpeedButton7"_s, u"Вкл/Выкл информации о товаре"_s,
                                 u"product-card"_s);
    SpeedButton7->setCheckable(true);
    SpeedButton8 = commandButton(ToolBar1, u"SpeedButton8"_s, u"Помощь"_s, u"help"_s);
    SpeedButton9 = commandButton(ToolBar1, u"SpeedButton9"_s, u"Закрыть каталог"_s, u"close"_s);

    pnlExchange = new QFrame(ToolBar1);
    pnlExchange->setObjectName(u"pnlExchange"_s);
    pnlExchange->setFrameShape(QFrame::Panel);
    pnlExchange->setFrameShadow(QFrame::Sunken);
    // 405 pixels wide where the toolbar has room; on a narrower screen it gives up width
    // rather than go behind the toolbar's extension button, where nobody would see it.
    pnlExchange->setFixedHeight(52);
    pnlExchange->setMinimumWidth(240);
    pnlExchange->setMaximumWidth(405);
    pnlExchange->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    lblcsMsg = new QLabel(u"Наименование:"_s, pnlExchange);
    lblcsMsg->setObjectName(u"lblcsMsg"_s);
    lblcsMsg->setWordWrap(true);
    {
        // The longest message has four lines; they must all fit the toolbar-high panel.
        QFont font = lblcsMsg->font();
        int pixels = 12;
        font.setPixelSize(pixels);
        while (pixels > 8 && QFontMetrics(font).lineSpacing() * 4 > 52 - 4) {
            --pixels;
            font.setPixelSize(pixels);
        }
        lblcsMsg->setFont(font);
    }
    btnExchangeCancel = new QPushButton(u"Остановить"_s, pnlExchange);
    btnExchangeCancel->setObjectName(u"btnExchangeCancel"_s);
    btnExchangeCancel->setToolTip(u"Остановить загрузку"_s);
    btnExchangeCancel->hide();
    pbExchange = new QProgressBar(pnlExchange);
    pbExchange->setObjectName(u"pbExchange"_s);
    pbExchange->setFixedSize(80, 16);
    pbExchange->setRange(0, 0);
    pbExchange->hide();
    auto *exchangeRow = new QHBoxLayout(pnlExchange);
    exchangeRow->setContentsMargins(4, 2, 4, 2);
    exchangeRow->addWidget(lblcsMsg, 1);
    // The stop button and the progress bar share the right edge: the text keeps its width.
    auto *exchangeSide = new QVBoxLayout;
    exchangeSide->setSpacing(2);
    exchangeSide->addWidget(btnExchangeCancel, 0, Qt::AlignRight);
    exchangeSide->addWidget(pbExchange, 0, Qt::AlignRight);
    exchangeRow->addLayout(exchangeSide);
    QAction *exchangeAction = ToolBar1->addWidget(pnlExchange);
    exchangeAction->setObjectName(u"pnlExchangeAction"_s);
    exchangeAction->setVisible(false);

    // 2. The status bar.
    StatusBar1 = new QStatusBar(window);
    StatusBar1->setObjectName(u"StatusBar1"_s);
    window->setStatusBar(StatusBar1);

    // 4. The catalog area above the order panel.
    Splitter1 = new LimitedSplitter(Qt::Vertical, 1, window);
    Splitter1->setObjectName(u"Splitter1"_s);
    Splitter1->setHandleWidth(2);
    window->setCentralWidget(Splitter1);

    auto *catalog = new QWidget(Splitter1);
    catalog->setObjectName(u"pCatalog"_s);
    auto *catalogLayout = new QVBoxLayout(catalog);
    catalogLayout->setContentsMargins(0, 0, 0, 0);
    Splitter2 = new LimitedSplitter(Qt::Horizontal, 0, catalog);
    Splitter2->setObjectName(u"Splitter2"_s);
    Splitter2->setHandleWidth(2);
    catalogLayout->addWidget(Splitter2);

    // 5. The tree panel.
    pTree = new QWidget(Splitter2);
    pTree->setObjectName(u"pTree"_s);
    auto *treeLayout = new QVBoxLayout(pTree);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->setSpacing(2);
    vdtGroupsTree = new QTreeView(pTree);
    vdtGroupsTree->setObjectName(u"vdtGroupsTree"_s);
    vdtGroupsTree->setHeaderHidden(true);
    vdtGroupsTree->setUniformRowHeights(true);
    vdtGroupsTree->setSelectionMode(QAbstractItemView::SingleSelection);
    vdtGroupsTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    treeModel = new GroupTreeModel(vdtGroupsTree);
    vdtGroupsTree->setModel(treeModel);
    treeLayout->addWidget(vdtGroupsTree, 1);
    CheckBox1 = new QCheckBox(u"Сохранять фильтр дерева"_s, pTree);
    CheckBox1->setObjectName(u"CheckBox1"_s);
    treeLayout->addWidget(CheckBox1);

    // 7. The price area: grid and search strip, the product card at the right.
    pPrice = new QWidget(Splitter2);
    pPrice->setObjectName(u"pPrice"_s);
    auto *priceRow = new QHBoxLayout(pPrice);
    priceRow->setContentsMargins(0, 0, 0, 0);
    priceRow->setSpacing(2);

    auto *gridColumn = new QVBoxLayout;
    gridColumn->setSpacing(2);
    DBGridEh1 = new CatalogGrid(pPrice);
    DBGridEh1->setObjectName(u"DBGridEh1"_s);
    priceModel = new PriceTableModel(DBGridEh1);
    DBGridEh1->setModel(priceModel);
    DBGridEh1->setTwoLevelTitles(true);
    DBGridEh1->applyColumnWidths(widthsOf(priceModel->columns()));
    DBGridEh1->setFrozenColumns(2);
    gridColumn->addWidget(DBGridEh1, 1);

    pSearch = new QWidget(pPrice);
    pSearch->setObjectName(u"pSearch"_s);
    auto *searchRow = new QHBoxLayout(pSearch);
    searchRow->setContentsMargins(0, 0, 0, 0);
    SerchText = new SearchEdit(pSearch);
    SerchText->setObjectName(u"SerchText"_s);
    SerchText->setToolTip(
        u"Для поиска по частям слова используйте символ <*>. Пример: Ручка*2001"_s);
    chbOnlyNew = new QCheckBox(u"Только новинки"_s, pSearch);
    chbOnlyNew->setObjectName(u"chbOnlyNew"_s);
    searchRow->addWidget(SerchText, 1);
    searchRow->addWidget(chbOnlyNew);
    gridColumn->addWidget(pSearch);
    priceRow->addLayout(gridColumn, 1);

    Panel2 = new QWidget(pPrice);
    Panel2->setObjectName(u"Panel2"_s);
    Panel2->setFixedWidth(250);
    auto *card = new QVBoxLayout(Panel2);
    card->setContentsMargins(1, 0, 1, 0);
    card->setSpacing(3);
    Panel4 = new QFrame(Panel2);
    Panel4->setObjectName(u"Panel4"_s);
    Panel4->setFrameShape(QFrame::Box);
    Panel4->setFixedSize(248, 248);
    Panel4->setAutoFillBackground(true);
    QPalette white = Panel4->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel4->setPalette(white);
    auto *pictures = new QStackedLayout(Panel4);
    pictures->setContentsMargins(1, 1, 1, 1);
    ImageNull = new QLabel(Panel4);
    ImageNull->setObjectName(u"ImageNull"_s);
    ImageNull->setAlignment(Qt::AlignCenter);
    ImageNull->setPixmap(UiPictures::noPhoto(240));
    Image1 = new PictureView(Panel4);
    Image1->setObjectName(u"Image1"_s);
    Image1->setScaleToFit(true);
    pictures->addWidget(ImageNull);
    pictures->addWidget(Image1);
    pictures->setCurrentWidget(ImageNull);
    card->addWidget(Panel4);

    btnGetOnePicture = new QPushButton(u"<Загрузить изображение>"_s, Panel2);
    btnGetOnePicture->setObjectName(u"btnGetOnePicture"_s);
    btnGetOnePicture->setToolTip(u"Загрузить изображение  этого товара"_s);
    btnGetOnePicture->setFlat(true);
    btnSaveOnePicture = new QPushButton(u"<Сохранить>"_s, Panel2);
    btnSaveOnePicture->setObjectName(u"btnSaveOnePicture"_s);
    btnSaveOnePicture->setToolTip(u"Сохранить в файл изображение  этого товара"_s);
    btnSaveOnePicture->setFlat(true);
    btnSaveOnePicture->setEnabled(false);
    card->addWidget(btnGetOnePicture);
    card->addWidget(btnSaveOnePicture);

    QFont bold = Panel2->font();
    bold.setBold(true);
    card->addWidget(new QLabel(u"Код:"_s, Panel2));
    DBEditEh1 = new QLineEdit(Panel2);
    DBEditEh1->setObjectName(u"DBEditEh1"_s);
    DBEditEh1->setReadOnly(true);
    DBEditEh1->setFont(bold);
    card->addWidget(DBEditEh1);
    card->addWidget(new QLabel(u"Наименование:"_s, Panel2));
    DBMemo1 = new QPlainTextEdit(Panel2);
    DBMemo1->setObjectName(u"DBMemo1"_s);
    DBMemo1->setReadOnly(true);
    DBMemo1->setFont(bold);
    DBMemo1->setMinimumHeight(40);
    card->addWidget(DBMemo1, 1);
    card->addWidget(new QLabel(u"Цена со скидкой:"_s, Panel2));
    edtCena = new QLineEdit(Panel2);
    edtCena->setObjectName(u"edtCena"_s);
    edtCena->setReadOnly(true);
    edtCena->setFont(bold);
    edtCena->setAlignment(Qt::AlignRight);
    card->addWidget(edtCena);
    priceRow->addWidget(Panel2);

    Splitter2->addWidget(pTree);
    Splitter2->addWidget(pPrice);
    Splitter2->setStretchFactor(0, 0);
    Splitter2->setStretchFactor(1, 1);
    Splitter2->setSizes({229, 800});
    Splitter2->setMinSize(195);
    pTree->setMinimumWidth(200);
    pPrice->setMinimumWidth(195);

    // 3. The order panel: the order grid above the totals strip.
    pZakaz = new QWidget(Splitter1);
    pZakaz->setObjectName(u"pZakaz"_s);
    auto *zakazLayout = new QVBoxLayout(pZakaz);
    zakazLayout->setContentsMargins(0, 0, 0, 0);
    zakazLayout->setSpacing(0);
    grdZakaz = new CatalogGrid(pZakaz);
    grdZakaz->setObjectName(u"grdZakaz"_s);
    QFont times(u"Times New Roman"_s);
    times.setPointSize(10);
    grdZakaz->setFont(times);
    QFont timesBold = times;
    timesBold.setBold(true);
    zakazModel = new ZakazTableModel(grdZakaz);
    grdZakaz->setModel(zakazModel);
    grdZakaz->titles()->setFont(timesBold);
    grdZakaz->titles()->setCentredTitles(true);
    grdZakaz->applyColumnWidths(widthsOf(zakazModel->columns()));
    grdZakaz->setFrozenColumns(3);
    zakazLayout->addWidget(grdZakaz, 1);

    pZakazInfo = new QWidget(pZakaz);
    pZakazInfo->setObjectName(u"pZakazInfo"_s);
    pZakazInfo->setFixedHeight(29);
    QFont strip(u"Arial"_s);
    strip.setPointSize(12);
    strip.setBold(true);
    auto *infoRow = new QHBoxLayout(pZakazInfo);
    infoRow->setContentsMargins(6, 0, 6, 0);
    Label1 = stripLabel(pZakazInfo, u"Сумма заказа: 0.00 - 0.00 = 0.00"_s, strip);
    Label1->setObjectName(u"Label1"_s);
    infoRow->addWidget(Label1);
    infoRow->addSpacing(24);
    infoRow->addWidget(stripLabel(pZakazInfo, u"Скидка:"_s, strip));
    eProc = new QLineEdit(pZakazInfo);
    eProc->setObjectName(u"eProc"_s);
    eProc->setFont(strip);
    eProc->setFixedWidth(70);
    eProc->setAlignment(Qt::AlignRight);
    eProc->setValidator(new PercentValidator(eProc));
    infoRow->addWidget(eProc);
    infoRow->addWidget(stripLabel(pZakazInfo, u"%"_s, strip));
    infoRow->addStretch(1);
    lblMailTo = stripLabel(pZakazInfo, QString(), strip);
    lblMailTo->setObjectName(u"lblMailTo"_s);
    QPalette navy = lblMailTo->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 0x80));
    lblMailTo->setPalette(navy);
    lblMailTo->setCursor(Qt::PointingHandCursor);
    lblMailTo->setToolTip(u"Написать письмо"_s);
    infoRow->addWidget(lblMailTo);
    zakazLayout->addWidget(pZakazInfo);

    Splitter1->addWidget(catalog);
    Splitter1->addWidget(pZakaz);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setSizes({760 - 58 - 239, 239});
    Splitter1->setMinSize(150);
    pZakaz->setMinimumHeight(210);
    catalog->setMinimumHeight(150);
}
