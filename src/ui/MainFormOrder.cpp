// The main window's order: quantity entry from both grids, the order grid, the discount and
// the order commands.
#include "ui/MainForm.h"

#include "browse/Pricing.h"
#include "data/Database.h"
#include "order/KolDialogModel.h"
#include "order/OrderArchive.h"
#include "order/OrderBook.h"
#include "order/OrderError.h"
#include "order/Product.h"
#include "order/QuantityEntry.h"
#include "ui/CatalogGrid.h"
#include "ui/KolForm.h"
#include "ui/OpenForm.h"
#include "ui/OrderArchiveAccess.h"
#include "ui/PriceTableModel.h"
#include "ui/SqlRowSource.h"
#include "ui/ZakazTableModel.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>

using namespace Qt::StringLiterals;

void TAppMainForm::guarded(const std::function<void()> &operation)
{
    try {
        operation();
    } catch (const OrderError &e) {
        m_services.prompts.error(e.text());
    }
}

void TAppMainForm::BeginKolEntry()
{
    const int row = m_ui.DBGridEh1->currentIndex().row();
    const QString code = m_ui.priceModel->fieldValue(row, u"CODE"_s).toString();
    switch (m_entry->beginKolEntry(m_priceRows->idAt(row), code)) {
    case QuantityEntry::Action::ShowDialog:
        showKolDialog();
        break;
    case QuantityEntry::Action::OpenCell: {
        // The grid mode: the "Заказ" cell opens for typing; Enter there posts it.
        m_ui.DBGridEh1->setRowSelectMode(false);
        m_ui.priceModel->setEditing(true);
        const QModelIndex cell =
            m_ui.priceModel->index(row, m_ui.priceModel->columnOfField(u"KOLZAK"_s));
        m_ui.DBGridEh1->setCurrentIndex(cell);
        m_ui.DBGridEh1->edit(cell);
        break;
    }
    default: // the open cell posts itself on Enter
        break;
    }
}

void TAppMainForm::showKolDialog()
{
    std::optional<KolDialogModel> model;
    guarded([&] { model = m_entry->openDialog(); });
    if (!model) {
        m_entry->dialogClosed();
        return;
    }
    TAppKolForm::Product shown;
    shown.name = model->product().fullName;
    shown.st1 = model->st1Text();
    shown.st2 = model->st2Text();
    shown.st3 = model->st3Text();
    shown.wst3 = model->wst3Text();
    shown.vst3 = model->vst3Text();
    shown.cena = model->listPrice();
    const Product product = model->product();
    m_kolForm->breakdown = [product](qint64 a) {
        const KolDialogModel::Breakdown b = KolDialogModel::breakdown(product, a);
        return TAppKolForm::Breakdown{b.boxes, b.blocks, b.packages, b.loose,
                                      b.sum,   b.weight, b.volume};
    };
    m_kolForm->onCommit = [this](qint64 kol) {
        guarded([&] { m_entry->dialogOk(QString::number(kol)); });
    };
    std::optional<qint64> ordered;
    if (m_entry->state().IsKolUpdate)
        ordered = model->quantity();
    m_kolForm->prepare(shown, ordered);
    m_kolForm->exec();
    m_entry->dialogClosed();
}

void TAppMainForm::PriceAfterPost(int row, const QString &text)
{
    const int id = m_priceRows->idAt(row);
    // The order reports its changes through signals that reload the grids; the cell's editor
    // closes first.
    QTimer::singleShot(0, this,
                       [this, id, text] { guarded([&] { m_entry->priceCellPosted(id, text); }); });
}

void TAppMainForm::PriceAfterCancel(bool cancelled)
{
    if (cancelled)
        m_entry->priceCellCancelled();
    endPriceEditing();
}

void TAppMainForm::endPriceEditing()
{
    m_ui.priceModel->setEditing(false);
    m_ui.DBGridEh1->setRowSelectMode(true);
    const QModelIndex current = m_ui.DBGridEh1->currentIndex();
    if (current.isValid())
        m_ui.DBGridEh1->selectionModel()->select(current, QItemSelectionModel::ClearAndSelect |
                                                              QItemSelectionModel::Rows);
}

bool TAppMainForm::grdZakazKeyDown(QKeyEvent *event)
{
    const int row = m_ui.grdZakaz->currentIndex().row();
    const int lineId = m_zakazRows->idAt(row);
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter) {
        if (m_entry->orderGridEnter(lineId) == QuantityEntry::Action::ShowDialog)
            showKolDialog();
        return true; // in the grid mode the open cell posts itself
    }
    if (event->key() == Qt::Key_Delete) {
        guarded([&] { m_entry->orderGridDelete(lineId); });
        return true;
    }
    if (m_entry->orderGridEditable() && lineId > 0 && !event->text().isEmpty() &&
        event->text().at(0).isDigit()) {
        // Typing a quantity goes to the "Кол-во" cell of the line.
        const QModelIndex cell =
            m_ui.zakazModel->index(row, m_ui.zakazModel->columnOfField(u"KOL"_s));
        if (m_ui.grdZakaz->currentIndex() != cell)
            m_ui.grdZakaz->setCurrentIndex(cell);
        m_entry->zakazBeforeEdit();
    }
    return false;
}

void TAppMainForm::ZakazPost(int row, const QString &text)
{
    const int lineId = m_zakazRows->idAt(row);
    QTimer::singleShot(0, this, [this, lineId, text] {
        guarded([&] { m_entry->orderLinePosted(lineId, text); });
    });
}

void TAppMainForm::eProcChange(const QString &text)
{
    if (text != m_order->discountText())
        m_entry->discountChanged(text);
    PriceAfterScroll();
}

void TAppMainForm::zakazChanged()
{
    const int keepId = m_zakazRows->idAt(m_ui.grdZakaz->currentIndex().row());
    const int keepColumn = qMax(0, m_ui.grdZakaz->currentIndex().column());
    std::vector<int> ids;
    for (int id : m_order->lineIds())
        ids.push_back(id);
    m_zakazRows->setIds(std::move(ids));
    m_ui.zakazModel->reload();
    int row = m_zakazRows->rowOf(keepId);
    if (row < 0 && m_zakazRows->rowCount() > 0)
        row = m_zakazRows->rowCount() - 1;
    if (row >= 0)
        m_ui.grdZakaz->setCurrentIndex(m_ui.zakazModel->index(row, keepColumn));
    m_ui.grdZakaz->fitColumns();
    m_ui.Label1->setText(m_order->totalsText());
}

void TAppMainForm::orderedQuantitiesChanged()
{
    m_ui.priceModel->refreshValues();
}

void TAppMainForm::SpeedButton1Click()
{
    m_orderArchive->newOrder();
    m_ui.eProc->setText(m_order->discountText());
}

void TAppMainForm::SpeedButton3Click()
{
    m_orderArchive->saveCurrentOrder();
}

void TAppMainForm::SpeedButton2Click()
{
    m_openForm->exec();
}
