#include "ui/OpenForm.h"

#include "ui/CatalogGrid.h"
#include "ui/GridTableModel.h"
#include "ui/OrderArchiveAccess.h"
#include "ui/TitleHeaderView.h"
#include "ui/UiPictures.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

using namespace GridLook;

namespace {

GridColumns orderColumns()
{
    return {{u"DATET"_s, u"Дата"_s, 120, {}, false, Qt::AlignCenter, true},
            {u"SUMMA"_s, u"Сумма"_s, 100, u"### ### ##0.00"_s, false, Right, false},
            {u"ROWCOUNT"_s, u"Строк"_s, 50, {}, false, Right, false}};
}

GridColumns lineColumns()
{
    return {{u"CODE"_s, u"Код"_s, 0, {}, false, Left, true},
            {u"FULLNAME"_s, u"Наименование"_s, 250, {}, false, Left, true},
            {u"ARTICUL"_s, u"Артикул"_s, 80, {}, false, Left, true},
            {u"KOL"_s, u"Кол-во"_s, 0, u"# ##0"_s, false, Right, true},
            {u"CENAPRICE"_s, u"Цена прайса"_s, 80, Money, false, Right, true},
            {u"PROCENTDISCOUNT"_s, u"% скидки"_s, 0, Money, false, Right, true},
            {u"CENA"_s, u"Цена"_s, 0, Money, false, Right, true},
            {u"SUMMA"_s, u"Сумма"_s, 0, Money, false, Right, true},
            {u"CENADISCOUINT"_s, u"Скидка цены"_s, 100, Money, false, Right, true},
            {u"SUMMAPRICE"_s, u"Сумма прайса"_s, 100, Money, false, Right, true},
            {u"SUMMADISCOUNT"_s, u"Скидка суммы"_s, 100, Money, false, Right, true},
            {u"COUNTRY"_s, u"Страна"_s, 100, {}, false, Left, true},
            {u"TM"_s, u"Торговая марка"_s, 100, {}, false, Left, true},
            {u"NDS"_s, u"НДС"_s, 0, Money, false, Right, true}};
}

std::vector<int> widthsOf(const GridColumns &columns)
{
    std::vector<int> widths;
    for (const GridColumn &c : columns)
        widths.push_back(c.width);
    return widths;
}
} // namespace

TAppOpenForm::TAppOpenForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(u"AppOpenForm"_s);
    setWindowTitle(u"Архив заказов"_s);
    setModal(true);
    resize(996, 587);

    auto *toolbar = new QWidget(this);
    toolbar->setObjectName(u"ToolBar1"_s);
    toolbar->setFixedHeight(57);
    auto *toolRow = new QHBoxLayout(toolbar);
    toolRow->setContentsMargins(2, 2, 2, 2);
    toolRow->setSpacing(2);
    QToolButton *load = toolButton(u"SpeedButton1"_s, u"Загрузить заказ"_s, u"load-order"_s);
    QToolButton *print = toolButton(u"SpeedButton4"_s, u"Печать заказа"_s, u"print-order"_s);
    QToolButton *remove = toolButton(u"SpeedButton3"_s, u"Удалить заказ"_s, u"delete-order"_s);
    QToolButton *exit = toolButton(u"SpeedButton2"_s, u"Выход"_s, u"exit"_s);
    for (QToolButton *b : {load, print, remove, exit}) {
        b->setParent(toolbar);
        toolRow->addWidget(b);
    }
    toolRow->addStretch();
    connect(load, &QToolButton::clicked, this, &TAppOpenForm::SpeedButton1Click);
    connect(print, &QToolButton::clicked, this, &TAppOpenForm::SpeedButton4Click);
    connect(remove, &QToolButton::clicked, this, &TAppOpenForm::SpeedButton3Click);
    connect(exit, &QToolButton::clicked, this, &QDialog::reject);

    const GridColumns orders = orderColumns();
    m_ordersModel = new GridTableModel(orders, this);
    m_orders = new CatalogGrid(this);
    m_orders->setObjectName(u"DBGridEh1"_s);
    m_orders->setModel(m_ordersModel);
    m_orders->applyColumnWidths(widthsOf(orders));
    m_orders->setFixedWidth(305);

    const GridColumns lines = lineColumns();
    m_linesModel = new GridTableModel(lines, this);
    m_lines = new CatalogGrid(this);
    m_lines->setObjectName(u"DBGridEh2"_s);
    m_lines->setModel(m_linesModel);
    m_lines->titles()->setCentredTitles(true);
    m_lines->applyColumnWidths(widthsOf(lines));

    auto *grids = new QHBoxLayout;
    grids->setSpacing(2);
    grids->addWidget(m_orders);
    grids->addWidget(m_lines, 1);

    auto *status = new QStatusBar(this);
    status->setObjectName(u"StatusBar1"_s);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addLayout(grids, 1);
    layout->addWidget(status);

    connect(m_orders, &QAbstractItemView::doubleClicked, this, [this] { SpeedButton1Click(); });
    m_orders->keyHandler = [this](QKeyEvent *event) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            SpeedButton1Click();
            return true;
        }
        if (event->key() == Qt::Key_Delete) {
            SpeedButton3Click();
            return true;
        }
        return false;
    };
}

QToolButton *TAppOpenForm::toolButton(const QString &name, const QString &hint, const QString &icon)
{
    auto *button = new QToolButton(this);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setIcon(UiPictures::icon(icon));
    button->setIconSize(QSize(48, 48));
    button->setFixedSize(52, 52);
    button->setAutoRaise(true);
    return button;
}

void TAppOpenForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    reopen();
    m_orders->setFocus();
}

void TAppOpenForm::reopen()
{
    if (!m_archive)
        return;
    m_archive->reopen();
    m_ordersModel->setSource(&m_archive->headers());
    m_linesModel->setSource(&m_archive->lines());
    connect(m_orders->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TAppOpenForm::currentOrderChanged, Qt::UniqueConnection);
    if (m_ordersModel->rowCount() > 0)
        m_orders->setCurrentIndex(m_ordersModel->index(0, 0));
    currentOrderChanged();
    m_orders->fitColumns();
}

void TAppOpenForm::currentOrderChanged()
{
    if (!m_archive)
        return;
    const int row = m_orders->currentIndex().row();
    if (row >= 0) {
        m_archive->selectHeader(row);
        m_linesModel->reload();
        m_lines->fitColumns();
    }
}

void TAppOpenForm::SpeedButton1Click()
{
    if (m_archive && m_archive->loadSelected())
        accept();
}

void TAppOpenForm::SpeedButton3Click()
{
    if (m_archive && m_archive->deleteSelected())
        reopen();
}

void TAppOpenForm::SpeedButton4Click()
{
    if (m_archive)
        m_archive->printSelected();
}
