#pragma once

#include "order/KolDialogModel.h"
#include "order/OrderEntryState.h"

#include <QString>

class OrderBook;
class UserPrompts;

// Quantity entry from the price grid, the order grid and the quantity dialog: the steps from
// a keystroke to the order's line operations. The setting IsInputKolByWindow chooses the
// dialog (positive) or typing in the grids (anything else).
class QuantityEntry {
public:
    // What the window does next.
    enum class Action {
        None,       // nothing
        ShowDialog, // open the quantity dialog modally (openDialog() fills it)
        OpenCell,   // put the grid's quantity cell into editing
        PostCell,   // commit the cell being edited (then priceCellPosted / orderLinePosted)
    };

    QuantityEntry(OrderBook &book, UserPrompts &prompts);

    void setInputKolByWindow(int value) { m_inputKolByWindow = value; }
    bool dialogMode() const { return m_inputKolByWindow > 0; }
    // The order grid lets "Кол-во" be typed in the grid mode only.
    bool orderGridEditable() const { return !dialogMode(); }
    const OrderEntryState &state() const { return m_state; }

    // Enter on a price grid row (or in the search box); code is the row's, empty for no row.
    Action beginKolEntry(int priceId, const QString &code);
    // The price grid's "Заказ" cell was posted (Enter or a move to another row).
    void priceCellPosted(int priceId, const QString &kolText);
    // The cell's edit was cancelled (Esc).
    void priceCellCancelled();

    // A line of the order grid enters editing.
    void zakazBeforeEdit();
    // Enter on a line of the order grid.
    Action orderGridEnter(int lineId);
    // The order grid's "Кол-во" was posted; empty counts as 0, which removes the line.
    void orderLinePosted(int lineId, const QString &kolText);
    // Delete on a line of the order grid: asks first; true when the line went.
    bool orderGridDelete(int lineId);

    // The quantity dialog's opening for CurrentPriceId.
    KolDialogModel openDialog() const;
    // OK with the quantity box's text.
    void dialogOk(const QString &quantityText);
    // Cancel, Esc or closing.
    void dialogClosed();

    // The order discount box changed.
    void discountChanged(const QString &text);

private:
    static int parseKol(const QString &text);

    OrderBook &m_book;
    UserPrompts &m_prompts;
    OrderEntryState m_state;
    int m_inputKolByWindow = 1;
    int m_orderedKol = 0; // "k" of the count query when the entry started
};
