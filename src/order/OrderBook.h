#pragma once

#include "order/OrderLine.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

#include <optional>

class Database;
struct Product;

// The current order: the lines of Zakaz, their pricing from the price list and the order's
// discount, the mirror of every line's quantity in Price.KOLZAK and the totals line.
//
// Each operation is one unit: it prices, stores and mirrors inside one transaction, so an
// error leaves the order and the price list as they were. Every value reaches SQL bound.
class OrderBook : public QObject {
    Q_OBJECT

public:
    // The lines of one product: how many and their total quantity.
    struct ProductQuantity {
        int count = 0;
        int kol = 0;
    };

    explicit OrderBook(Database &db, QObject *parent = nullptr);

    // A new line for the product, priced from the price list and the discount. A quantity
    // below 1 adds nothing; a product not in the price list is refused (OrderError); a product
    // that already has a line gets its line changed instead, so it never has two.
    void addOrderLine(int priceId, int kol);
    // Changes the quantity of the product's line (adding it when missing) and re-prices it;
    // below 1 the line goes.
    void setOrderLineKol(int priceId, int kol);
    // The quantity typed into the order grid's line; below 1 the line goes.
    void postLineKol(int lineId, int kol);
    // Removes a line and clears its product's ordered quantity.
    void deleteLine(int lineId);
    // Removes every line.
    void clear();
    // Replaces the order by lines of (product ID, quantity), each added as by addOrderLine;
    // a product no longer in the price list is left out without a word. One unit.
    void replaceLines(const QList<QPair<int, int>> &productQuantities);

    // The discount box changed (each keystroke): every line is re-priced.
    void setDiscountText(const QString &text);
    const QString &discountText() const { return m_discountText; }
    // Empties the discount box (a new order); announced by discountTextChanged.
    void clearDiscount();
    std::optional<double> discountBox() const;

    // "Сумма заказа: S - D = T" for the label under the order grid.
    const QString &totalsText() const { return m_totalsText; }

    ProductQuantity quantityOf(int priceId) const;
    // Line IDs in line order, for the order grid.
    QList<int> lineIds() const;
    std::optional<OrderLine> line(int lineId) const;
    QList<OrderLine> lines() const;
    int lineCount() const;
    bool isEmpty() const { return lineCount() == 0; }

    Database &database() const { return m_db; }

signals:
    // Zakaz changed: the order grid and the totals line show it anew.
    void linesChanged();
    // Price.KOLZAK changed for some products: the price grid repaints its visible rows.
    void orderedQuantitiesChanged();
    // The discount text was changed by the order itself (a new order clears it).
    void discountTextChanged(const QString &text);

private:
    void setKolUnguarded(int priceId, int kol);
    void insertLine(const Product &product, int kol);
    void mirrorKol(int priceId, int kol);
    void clearKol(int priceId);
    Product requireProduct(int priceId) const;
    void updateTotals();
    void notify(bool quantities);

    Database &m_db;
    QString m_discountText;
    QString m_totalsText;
};
