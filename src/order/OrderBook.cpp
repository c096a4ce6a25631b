#include "order/OrderBook.h"

#include "browse/Pricing.h"
#include "data/Database.h"
#include "data/Statement.h"
#include "data/Transaction.h"
#include "order/OrderError.h"
#include "order/Product.h"

#include <vector>

namespace {

// The line fields after IDPRICE, bound from ?2 on.
const QString kLineColumns =
    QStringLiteral("code,barcode,fullname,articul,tm,country,nds,st1,st2,st3,wst3,vst3,kol,"
                   "cenaprice,procentdiscount,cena,summa,cenadiscouint,summaprice,summadiscount");

QString updateLineSql(const QString &keyColumn)
{
    QStringList sets;
    const QStringList columns = kLineColumns.split(QLatin1Char(','));
    for (int i = 0; i < columns.size(); ++i)
        sets << columns.at(i) + QStringLiteral("=?") + QString::number(i + 2);
    return QStringLiteral("update zakaz set ") + sets.join(QLatin1Char(',')) +
           QStringLiteral(" where ") + keyColumn + QStringLiteral("=?1");
}

// Binds the product's data, the quantity and the amounts to ?2 .. ?21. The quantity and
// discount changes store the texts trimmed; a posted line copies them as they are.
void bindLine(Statement &q, const Product &p, int kol, double percent, bool trimmed)
{
    const auto text = [trimmed](const QString &s) { return trimmed ? s.trimmed() : s; };
    const Pricing::LineAmounts a = Pricing::lineAmounts(p.cena, percent, kol);
    q.bind(2, text(p.code))
        .bind(3, text(p.barcode))
        .bind(4, text(p.fullName))
        .bind(5, text(p.articul))
        .bind(6, text(p.tm))
        .bind(7, text(p.country))
        .bind(8, p.nds)
        .bind(9, p.st1)
        .bind(10, p.st2)
        .bind(11, p.st3)
        .bind(12, p.wst3)
        .bind(13, p.vst3)
        .bind(14, kol)
        .bind(15, a.cenaPrice)
        .bind(16, a.procentDiscount)
        .bind(17, a.cena)
        .bind(18, a.summa)
        .bind(19, a.cenaDiscount)
        .bind(20, a.summaPrice)
        .bind(21, a.summaDiscount);
}

struct LineKey {
    int idPrice = 0;
    QString code;
};

std::optional<LineKey> lineKey(Database &db, int lineId)
{
    Statement q = db.prepare(QStringLiteral("select idprice, code from zakaz where id=?1"));
    q.bind(1, lineId);
    if (!q.step())
        return std::nullopt;
    LineKey key{q.isNull(0) ? 0 : q.columnInt(0), q.columnText(1)};
    q.reset();
    return key;
}

void deleteLineRow(Database &db, int lineId)
{
    Statement q = db.prepare(QStringLiteral("delete from zakaz where id=?1"));
    q.bind(1, lineId).exec();
}

} // namespace

OrderBook::OrderBook(Database &db, QObject *parent)
    : QObject(parent), m_db(db), m_totalsText(Pricing::emptyTotalsText())
{
}

std::optional<double> OrderBook::discountBox() const
{
    return Pricing::parseDiscountBox(m_discountText);
}

Product OrderBook::requireProduct(int priceId) const
{
    // Pricing from whatever row a lookup happened to stand on would be wrong: refuse instead.
    std::optional<Product> product = Product::find(m_db, priceId);
    if (!product)
        throw OrderError(
            QStringLiteral("Товара с ID %1 нет в прайс-листе, строка заказа не изменена.")
                .arg(priceId));
    return *product;
}

void OrderBook::mirrorKol(int priceId, int kol)
{
    Statement q = m_db.prepare(QStringLiteral("update price set kolzak=?2 where id=?1"));
    q.bind(1, priceId).bind(2, kol).exec();
}

void OrderBook::clearKol(int priceId)
{
    Statement q = m_db.prepare(QStringLiteral("update price set kolzak=null where id=?1"));
    q.bind(1, priceId).exec();
}

void OrderBook::insertLine(const Product &product, int kol)
{
    Statement q = m_db.prepare(QStringLiteral("insert into zakaz (idprice,") + kLineColumns +
                               QStringLiteral(") values (?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12,"
                                              "?13,?14,?15,?16,?17,?18,?19,?20,?21)"));
    q.bind(1, product.id);
    bindLine(q, product, kol, Pricing::effectiveDiscount(discountBox(), product.maxDiscount),
             false);
    q.exec();
    mirrorKol(product.id, kol);
}

void OrderBook::addOrderLine(int priceId, int kol)
{
    if (priceId <= 0)
        return; // a line without a product does not survive posting
    Transaction t(m_db);
    if (quantityOf(priceId).count > 0) {
        setKolUnguarded(priceId, kol);
    } else if (kol < 1) {
        clearKol(priceId);
    } else {
        insertLine(requireProduct(priceId), kol);
    }
    t.commit();
    notify(true);
}

void OrderBook::setKolUnguarded(int priceId, int kol)
{
    if (kol < 1) {
        Statement del = m_db.prepare(QStringLiteral("delete from zakaz where idprice=?1"));
        del.bind(1, priceId).exec();
        clearKol(priceId);
        return;
    }
    const Product product = requireProduct(priceId);
    Statement q = m_db.prepare(updateLineSql(QStringLiteral("idprice")));
    q.bind(1, priceId);
    bindLine(q, product, kol, Pricing::effectiveDiscount(discountBox(), product.maxDiscount), true);
    q.exec();
    if (m_db.changes() == 0) {
        insertLine(product, kol);
        return;
    }
    mirrorKol(priceId, kol);
}

void OrderBook::setOrderLineKol(int priceId, int kol)
{
    Transaction t(m_db);
    setKolUnguarded(priceId, kol);
    t.commit();
    notify(true);
}

void OrderBook::postLineKol(int lineId, int kol)
{
    const std::optional<LineKey> key = lineKey(m_db, lineId);
    if (!key)
        return;
    Transaction t(m_db);
    if (kol > 0 && key->idPrice > 0) {
        const Product product = requireProduct(key->idPrice);
        Statement q = m_db.prepare(updateLineSql(QStringLiteral("id")));
        q.bind(1, lineId);
        bindLine(q, product, kol, Pricing::effectiveDiscount(discountBox(), product.maxDiscount),
                 false);
        q.exec();
        mirrorKol(key->idPrice, kol);
    } else {
        if (key->idPrice > 0)
            clearKol(key->idPrice);
        deleteLineRow(m_db, lineId);
    }
    t.commit();
    notify(true);
}

void OrderBook::deleteLine(int lineId)
{
    const std::optional<LineKey> key = lineKey(m_db, lineId);
    if (!key)
        return;
    Transaction t(m_db);
    if (!key->code.trimmed().isEmpty())
        clearKol(key->idPrice);
    deleteLineRow(m_db, lineId);
    t.commit();
    notify(true);
}

void OrderBook::clear()
{
    Transaction t(m_db);
    m_db.exec(QStringLiteral("update price set kolzak=null where id in "
                             "(select idprice from zakaz where trim(code)<>'')"));
    m_db.exec(QStringLiteral("delete from zakaz"));
    t.commit();
    notify(true);
}

void OrderBook::setDiscountText(const QString &text)
{
    m_discountText = text;
    if (isEmpty())
        return;
    const double orderPercent = Pricing::orderPercent(discountBox());
    struct Repricing {
        int lineId;
        int kol;
        Product product;
    };
    std::vector<Repricing> lines;
    {
        Statement q = m_db.prepare(
            QStringLiteral("select zakaz.id as lineid, zakaz.kol as kolvo, price.* from zakaz "
                           "left outer join price on price.id=zakaz.idprice order by zakaz.id"));
        while (q.step()) {
            // A line whose product left the price list keeps its amounts.
            if (q.isNull(QStringLiteral("ID")))
                continue;
            lines.push_back({q.columnInt(0), q.columnInt(1), Product::fromRow(q)});
        }
    }
    Transaction t(m_db);
    Statement update = m_db.prepare(updateLineSql(QStringLiteral("id")));
    for (const Repricing &r : lines) {
        update.reset();
        update.bind(1, r.lineId);
        bindLine(update, r.product, r.kol,
                 Pricing::limitPercent(orderPercent, r.product.maxDiscount), true);
        update.exec();
    }
    t.commit();
    notify(false);
}

OrderBook::ProductQuantity OrderBook::quantityOf(int priceId) const
{
    Statement q = m_db.prepare(
        QStringLiteral("select count(*) as c, sum(kol) as k from zakaz where idprice=?1"));
    q.bind(1, priceId);
    q.step();
    ProductQuantity result{q.columnInt(0), q.isNull(1) ? 0 : q.columnInt(1)};
    q.reset();
    return result;
}

QList<int> OrderBook::lineIds() const
{
    QList<int> ids;
    Statement q = m_db.prepare(QStringLiteral("select id from zakaz order by id"));
    while (q.step())
        ids << q.columnInt(0);
    return ids;
}

std::optional<OrderLine> OrderBook::line(int lineId) const
{
    Statement q = m_db.prepare(QStringLiteral("select * from zakaz where id=?1"));
    q.bind(1, lineId);
    if (!q.step())
        return std::nullopt;
    OrderLine l = OrderLine::fromRow(q);
    q.reset();
    return l;
}

QList<OrderLine> OrderBook::lines() const
{
    QList<OrderLine> result;
    Statement q = m_db.prepare(QStringLiteral("select * from zakaz order by id"));
    while (q.step())
        result << OrderLine::fromRow(q);
    return result;
}

int OrderBook::lineCount() const
{
    Statement q = m_db.prepare(QStringLiteral("select count(*) from zakaz"));
    q.step();
    const int count = q.columnInt(0);
    q.reset();
    return count;
}

void OrderBook::updateTotals()
{
    Statement q = m_db.prepare(QStringLiteral(
        "select count(*), sum(summaprice) as summaP, sum(summadiscount) as summaD from zakaz"));
    q.step();
    m_totalsText = q.columnInt(0) == 0 ? Pricing::emptyTotalsText()
                                       : Pricing::totalsText(q.columnDouble(1), q.columnDouble(2));
    q.reset();
}

void OrderBook::notify(bool quantities)
{
    updateTotals();
    emit linesChanged();
    if (quantities)
        emit orderedQuantitiesChanged();
}
