#include "order/OrderBook.h"

#include "browse/Pricing.h"
#include "data/Database.h"
#include "data/Statement.h"
#include "data/Transaction.h"
#include "order/OrderError.h"
#include "order/PricingSqlFunctions.h"
#include "order/Product.h"

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

// Blanks and control characters at both ends, as SQL's trim with the same characters.
QString trimBlanks(const QString &text)
{
    const auto blank = [](QChar c) {
        return c == QLatin1Char(' ') || (c >= QChar(9) && c <= QChar(13));
    };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && blank(text.at(begin)))
        ++begin;
    while (end > begin && blank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

// Binds the product's data, the quantity and the amounts to ?2 .. ?21. The quantity and
// discount changes store the texts trimmed; a posted line copies them as they are.
void bindLine(Statement &q, const Product &p, int kol, double percent, bool trimmed)
{
    const auto text = [trimmed](const QString &s) { return trimmed ? trimBlanks(s) : s; };
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
    registerPricingSqlFunctions(m_db);
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
        throw OrderError::productMissing(priceId);
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

void OrderBook::replaceLines(const QList<QPair<int, int>> &productQuantities)
{
    Transaction t(m_db);
    m_db.exec(QStringLiteral("update price set kolzak=null where id in "
                             "(select idprice from zakaz where trim(code)<>'')"));
    m_db.exec(QStringLiteral("delete from zakaz"));
    for (const auto &[priceId, kol] : productQuantities) {
        if (priceId <= 0 || !Product::find(m_db, priceId))
            continue;
        if (quantityOf(priceId).count > 0)
            setKolUnguarded(priceId, kol);
        else if (kol >= 1)
            insertLine(requireProduct(priceId), kol);
    }
    t.commit();
    notify(true);
}

void OrderBook::clearDiscount()
{
    setDiscountText(QString());
    emit discountTextChanged(m_discountText);
}

void OrderBook::setDiscountText(const QString &text)
{
    m_discountText = text;
    if (isEmpty())
        return;
    // One statement for the whole order, priced by the same functions as a single line. A line
    // whose product left the price list finds no partner in the join and keeps its amounts.
    const QString percent = QStringLiteral("ferrow_percent(?1,p.maxdiscount)");
    const auto amount = [&](int n) {
        return QStringLiteral("ferrow_amount(%1,p.cena,%2,zakaz.kol)").arg(n).arg(percent);
    };
    const auto trimmed = [](const char *column) {
        return QStringLiteral("trim(p.%1,char(9,10,11,12,13,32))").arg(QLatin1String(column));
    };
    Statement q = m_db.prepare(
        QStringLiteral("update zakaz set code=") + trimmed("code") + QStringLiteral(",barcode=") +
        trimmed("barcode") + QStringLiteral(",fullname=") + trimmed("fullname") +
        QStringLiteral(",articul=") + trimmed("articul") + QStringLiteral(",tm=") + trimmed("tm") +
        QStringLiteral(",country=") + trimmed("country") +
        QStringLiteral(",nds=p.nds,st1=p.st1,st2=p.st2,st3=p.st3,wst3=p.wst3,vst3=p.vst3") +
        QStringLiteral(",cenaprice=") + amount(0) + QStringLiteral(",procentdiscount=") +
        amount(1) + QStringLiteral(",cena=") + amount(2) + QStringLiteral(",summa=") + amount(3) +
        QStringLiteral(",cenadiscouint=") + amount(4) + QStringLiteral(",summaprice=") + amount(5) +
        QStringLiteral(",summadiscount=") + amount(6) +
        QStringLiteral(" from price as p where p.id=zakaz.idprice"));
    q.bind(1, Pricing::orderPercent(discountBox()));
    q.exec();
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
    Statement q = m_db.prepare(QStringLiteral("select ") + OrderLine::columns() +
                               QStringLiteral(" from zakaz where id=?1"));
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
    Statement q = m_db.prepare(QStringLiteral("select ") + OrderLine::columns() +
                               QStringLiteral(" from zakaz order by id"));
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
