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

namespace {

// A typed quantity: empty or not a number counts as 0.
int quantityOf(const QString &text)
{
    bool ok = false;
    const int value = QLocale::c().toInt(text.trimmed(), &ok);
    return ok ? value : 0;
}

TAppKolForm::Breakdown breakdownOf(const Product &p, qint64 a)
{
    const KolDialogModel::Breakdown b = KolDialogModel::breakdown(p, a);
    return {b.boxes, b.blocks, b.packages, b.loose, b.sum, b.weight, b.volume};
}

QString fieldText(double value)
{
    return QLocale::c().toString(value, 'g', 15);
}

} // namespace

void TAppMainForm::BeginKolEntry()
{
    const int row = m_ui.DBGridEh1->currentIndex().row();
    const QString code = m_ui.priceModel->fieldValue(row, u"CODE"_s).toString();
    if (code.trimmed().isEmpty())
        return;
    if (m_isKolUpdate)
        return;
    m_currentPriceId = m_priceRows->idAt(row);
    m_isKolUpdate = m_order->quantityOf(m_currentPriceId).count > 0;
    if (m_services.settings.IsInputKolByWindow > 0) {
        showKolDialog();
        return;
    }
    if (m_isPriceEditing)
        return;
    // The grid mode: the "Заказ" cell opens for typing; Enter there posts it.
    m_ui.DBGridEh1->setRowSelectMode(false);
    m_ui.priceModel->setEditing(true);
    m_isPriceEditing = true;
    const QModelIndex cell =
        m_ui.priceModel->index(row, m_ui.priceModel->columnOfField(u"KOLZAK"_s));
    m_ui.DBGridEh1->setCurrentIndex(cell);
    m_ui.DBGridEh1->edit(cell);
}

void TAppMainForm::showKolDialog()
{
    const std::optional<Product> product = Product::find(m_services.db, m_currentPriceId);
    if (!product) {
        m_isKolUpdate = false;
        return;
    }
    TAppKolForm::Product shown;
    shown.name = product->fullName;
    shown.st1 = QString::number(product->st1);
    shown.st2 = QString::number(product->st2);
    shown.st3 = QString::number(product->st3);
    shown.wst3 = fieldText(product->wst3);
    shown.vst3 = fieldText(product->vst3);
    shown.cena = product->cena;
    const Product p = *product;
    m_kolForm->breakdown = [p](qint64 a) { return breakdownOf(p, a); };
    const int id = m_currentPriceId;
    const bool update = m_isKolUpdate;
    m_kolForm->onCommit = [this, id, update](qint64 kol) {
        const int quantity = int(std::clamp<qint64>(kol, -1, std::numeric_limits<int>::max()));
        try {
            if (update)
                m_order->setOrderLineKol(id, quantity);
            else
                m_order->addOrderLine(id, quantity);
        } catch (const OrderError &e) {
            m_services.prompts.error(e.text());
        }
    };
    std::optional<qint64> ordered;
    if (update)
        ordered = m_order->quantityOf(id).kol;
    m_kolForm->prepare(shown, ordered);
    m_kolForm->exec();
    m_isKolUpdate = false;
}

void TAppMainForm::PriceAfterPost(int row, const QString &text)
{
    if (!m_isPriceEditing)
        return;
    const int id = m_priceRows->idAt(row);
    const int kol = quantityOf(text);
    const bool update = m_isKolUpdate;
    m_isKolUpdate = false;
    m_isPriceEditing = false;
    // The order reports its changes through signals that reload the grids; let the editor
    // close first.
    QTimer::singleShot(0, this, [this, id, kol, update] {
        try {
            if (update)
                m_order->setOrderLineKol(id, kol);
            else
                m_order->addOrderLine(id, kol);
        } catch (const OrderError &e) {
            m_services.prompts.error(e.text());
        }
    });
}

void TAppMainForm::PriceAfterCancel()
{
    // Runs whenever the quantity cell closes: after a post the flags are already clear.
    m_isPriceEditing = false;
    m_isKolUpdate = false;
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
    const QString code = m_ui.zakazModel->fieldValue(row, u"CODE"_s).toString();
    if (code.trimmed().isEmpty())
        return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
               event->key() == Qt::Key_Delete;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (m_services.settings.IsInputKolByWindow > 0) {
            m_currentPriceId = m_ui.zakazModel->fieldValue(row, u"IDPRICE"_s).toInt();
            m_isKolUpdate = true;
            showKolDialog();
            return true;
        }
        return false; // the grid mode: the open cell posts itself
    }
    if (event->key() == Qt::Key_Delete) {
        if (m_services.prompts.confirm(u"Удалить текщую позицию?"_s))
            m_order->deleteLine(m_zakazRows->idAt(row));
        return true;
    }
    if (m_services.settings.IsInputKolByWindow <= 0 && !event->text().isEmpty() &&
        event->text().at(0).isDigit()) {
        // Typing a quantity goes to the "Кол-во" cell of the line.
        const QModelIndex cell =
            m_ui.zakazModel->index(row, m_ui.zakazModel->columnOfField(u"KOL"_s));
        if (m_ui.grdZakaz->currentIndex() != cell)
            m_ui.grdZakaz->setCurrentIndex(cell);
        m_isZakazEditing = true;
        return false;
    }
    return false;
}

void TAppMainForm::ZakazPost(int row, const QString &text)
{
    const int lineId = m_zakazRows->idAt(row);
    const int kol = quantityOf(text);
    m_isZakazEditing = false;
    QTimer::singleShot(0, this, [this, lineId, kol] { m_order->postLineKol(lineId, kol); });
}

void TAppMainForm::eProcChange(const QString &text)
{
    if (text != m_order->discountText())
        m_order->setDiscountText(text);
    PriceAfterScroll();
    m_isZakazEditing = false;
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
