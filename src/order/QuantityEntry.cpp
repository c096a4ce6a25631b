#include "order/QuantityEntry.h"

#include "common/UserPrompts.h"
#include "order/OrderBook.h"
#include "order/OrderError.h"

#include <QLocale>

QuantityEntry::QuantityEntry(OrderBook &book, UserPrompts &prompts)
    : m_book(book), m_prompts(prompts)
{
}

int QuantityEntry::parseKol(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0;
    bool ok = false;
    const int value = QLocale::c().toInt(trimmed, &ok);
    if (!ok)
        throw OrderError(QStringLiteral("\"%1\" не является целым числом").arg(trimmed));
    return value;
}

QuantityEntry::Action QuantityEntry::beginKolEntry(int priceId, const QString &code)
{
    if (code.trimmed().isEmpty())
        return Action::None;
    bool opened = false;
    if (!m_state.IsKolUpdate) {
        m_state.CurrentPriceId = priceId;
        const auto ordered = m_book.quantityOf(priceId);
        m_orderedKol = ordered.kol;
        if (ordered.count > 0)
            m_state.IsKolUpdate = true;
        if (dialogMode())
            return Action::ShowDialog;
        if (!m_state.IsPriceEditing) {
            m_state.IsPriceEditing = true;
            opened = true;
        }
    }
    if (opened)
        return Action::OpenCell; // this keypress only opens the cell for typing
    return m_state.IsPriceEditing ? Action::PostCell : Action::None;
}

void QuantityEntry::priceCellPosted(int priceId, const QString &kolText)
{
    if (!m_state.IsPriceEditing)
        return;
    const int kol = parseKol(kolText);
    const bool update = m_state.IsKolUpdate;
    // The edit is over whatever the line operation says.
    m_state.IsKolUpdate = false;
    m_state.IsPriceEditing = false;
    if (update)
        m_book.setOrderLineKol(priceId, kol);
    else
        m_book.addOrderLine(priceId, kol);
}

void QuantityEntry::priceCellCancelled()
{
    m_state.IsPriceEditing = false;
    m_state.IsKolUpdate = false;
}

void QuantityEntry::zakazBeforeEdit()
{
    m_state.IsZakazEditing = !dialogMode();
}

QuantityEntry::Action QuantityEntry::orderGridEnter(int lineId)
{
    const std::optional<OrderLine> line = m_book.line(lineId);
    if (!line || line->code.trimmed().isEmpty())
        return Action::None;
    if (dialogMode()) {
        m_orderedKol = m_book.quantityOf(line->idPrice).kol;
        m_state.CurrentPriceId = line->idPrice;
        m_state.IsKolUpdate = true;
        return Action::ShowDialog;
    }
    if (m_state.IsZakazEditing) {
        m_state.IsZakazEditing = false;
        return Action::PostCell;
    }
    return Action::None;
}

void QuantityEntry::orderLinePosted(int lineId, const QString &kolText)
{
    const int kol = parseKol(kolText);
    m_state.IsZakazEditing = false;
    m_book.postLineKol(lineId, kol);
}

bool QuantityEntry::orderGridDelete(int lineId)
{
    const std::optional<OrderLine> line = m_book.line(lineId);
    if (!line || line->code.trimmed().isEmpty())
        return false;
    if (!m_prompts.confirm(QStringLiteral("Удалить текщую позицию?")))
        return false;
    m_book.deleteLine(lineId);
    return true;
}

KolDialogModel QuantityEntry::openDialog() const
{
    const std::optional<Product> product = Product::find(m_book.database(), m_state.CurrentPriceId);
    if (!product)
        throw OrderError::productMissing(m_state.CurrentPriceId);
    KolDialogModel model;
    model.open(*product, m_state.IsKolUpdate, m_orderedKol);
    return model;
}

void QuantityEntry::dialogOk(const QString &quantityText)
{
    const int kol = parseKol(quantityText);
    const bool update = m_state.IsKolUpdate;
    m_state.IsKolUpdate = false;
    if (update)
        m_book.setOrderLineKol(m_state.CurrentPriceId, kol);
    else
        m_book.addOrderLine(m_state.CurrentPriceId, kol);
}

void QuantityEntry::dialogClosed()
{
    m_state.IsKolUpdate = false;
}

void QuantityEntry::discountChanged(const QString &text)
{
    m_book.setDiscountText(text);
    m_state.IsZakazEditing = false;
}
