// The main window's exchange with the supplier's server and the order export: the three
// download commands, the exchange panel and the workbook.
#include "ui/MainForm.h"

#include "app/StartupData.h"
#include "browse/PriceView.h"
#include "common/Clock.h"
#include "data/CatalogTables.h"
#include "data/TableStore.h"
#include "exchange/TcsExchange.h"
#include "order/OrderArchive.h"
#include "order/OrderBook.h"
#include "ui/CatalogGrid.h"
#include "ui/GroupTreeModel.h"
#include "ui/PriceTableModel.h"
#include "ui/SqlRowSource.h"
#include "xls/OrderExport.h"
#include "xls/OrderExportSource.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <algorithm>

using namespace Qt::StringLiterals;

void TAppMainForm::ApplyExchangeSettings()
{
    m_exchange->ApplyExchangeSettings(m_services.settings);
    m_exchange->OncsMessage = [this](const QString &msg) { ShowExchangeMessage(msg); };
}

void TAppMainForm::ShowExchangeMessage(const QString &msg)
{
    QAction *panel = m_ui.ToolBar1->findChild<QAction *>(u"pnlExchangeAction"_s);
    const bool busy = m_exchange->Busy();
    if (busy && !panel->isVisible())
        panel->setVisible(true);
    if (!busy && panel->isVisible()) {
        panel->setVisible(false);
        m_ui.btnExchangeCancel->hide();
    }
    if (!busy)
        m_ui.pbExchange->hide();
    QString text = msg;
    text.replace(u'\r', u'\n');
    m_ui.lblcsMsg->setText(text);
    if (busy)
        m_ui.btnExchangeCancel->setEnabled(true);
    m_ui.btnGetNewPictures->setEnabled(!busy);
    m_ui.btnGetNewPrice->setEnabled(!busy);
    m_ui.btnGetOnePicture->setEnabled(!busy && m_card.getPictureEnabled());
}

void TAppMainForm::ShowExchangeProgress(qint64 received, qint64 total)
{
    if (!m_exchange->Busy())
        return; // stopped: the transfer runs to its end with the panel already gone
    // Bytes go as kilobytes so that any file size fits the bar's int range.
    QProgressBar *bar = m_ui.pbExchange;
    if (total > 0) {
        bar->setRange(0, int(std::max<qint64>(1, total / 1024)));
        bar->setValue(int(std::min(received, total) / 1024));
        bar->setFormat(u"%p%"_s);
    } else {
        bar->setRange(0, 0); // size unknown: the bar only shows that bytes are coming
        bar->setFormat(QLocale::c().toString(received / 1024) + u" КБ"_s);
    }
    bar->setTextVisible(true);
    bar->show();
}

void TAppMainForm::btnGetNewPriceClick()
{
    ApplyExchangeSettings();
    if (!m_exchange->GetNewPrice()) {
        m_services.prompts.message(u"Не удается получить новый прайс из Интернета"_s);
        return;
    }
    const CatalogSettings &s = m_services.settings;
    if (!QFileInfo::exists(s.WorkFolder + s.PriceFileName) ||
        !QFileInfo::exists(s.WorkFolder + s.ClassFileName)) {
        m_services.prompts.message(u"Файлы импорта не найдены. Импорт остановлен"_s);
        return;
    }
    auto *splash = dynamic_cast<QWidget *>(&m_services.messages);
    m_services.messages.clearStartupMessages();
    if (splash)
        splash->show();
    m_orderArchive->newOrder();

    // The catalog tables are rebuilt from the new exports while the splash covers the window.
    m_ui.treeModel->clear();
    m_ui.treeModel->finish();
    m_store->empty(CatalogTables::Class);
    m_store->empty(CatalogTables::Tree);
    m_store->empty(CatalogTables::Price);
    m_priceRows->setIds({});
    m_ui.priceModel->reload();
    m_services.messages.setStartupMessage(u"Инициализация данных"_s);
    m_services.loader.importPriceAndClasses();
    m_services.loader.loadWorkingTables();
    m_services.messages.setStartupMessage(u"Инициализация классификатора"_s);
    m_services.loader.buildGroupTree();
    m_priceView->reload();
    fillGroupTree(m_services.groupTree
                      ? *m_services.groupTree
                      : GroupTreeNode{GroupNodeData::make(u"ВСЕ ТОВАРЫ"_s, -1, -1), {}});
    setWindowTitle(CatalogCaption(m_baseCaption, s));

    m_ui.DBGridEh1->setFocus();
    m_browsing.resetAfterReload();
    m_card.reset();
    syncSearchBox();
    showSortMarker();
    applyPriceFilter();
    const QModelIndex root = m_ui.treeModel->index(0, 0);
    if (root.isValid())
        m_ui.vdtGroupsTree->selectionModel()->select(root, QItemSelectionModel::ClearAndSelect);
    if (splash)
        splash->hide();
    // The main window takes over from the splash: its activation steps run again.
    FormActivate();
}

void TAppMainForm::btnGetNewPicturesClick()
{
    m_exchange->GetNewPictures();
    PriceAfterScroll();
}

void TAppMainForm::btnGetOnePictureClick()
{
    const int row = m_ui.DBGridEh1->currentIndex().row();
    const int id = m_priceRows->idAt(row);
    const QString code =
        id > 0 ? m_ui.priceModel->fieldValue(row, u"CODE"_s).toString() : QString();
    m_exchange->GetProductPicture(id <= 0, id, code);
    PriceAfterScroll();
}

void TAppMainForm::SpeedButton6Click()
{
    OrderExportList order;
    for (const OrderLine &line : m_order->lines())
        order.lines.push_back({line.barcode, line.code, line.articul, line.fullName, line.st1,
                               line.st2, line.st3, line.cena, line.cenaPrice, line.kol});
    const QScreen *screen = QGuiApplication::primaryScreen();
    OrderExport exporter(m_services.prompts, m_services.shell, clock(),
                         screen ? int(screen->logicalDotsPerInchY()) : 0);
    const CatalogSettings &s = m_services.settings;
    exporter.ExportOrder(s.Orgname, s.OrgInn, order,
                         PriceDateSuffix(s.WorkFolder + s.PriceExportFileName));
}

const Clock &TAppMainForm::clock() const
{
    return m_services.clock ? *m_services.clock : *m_systemClock;
}
