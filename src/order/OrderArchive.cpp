#include "order/OrderArchive.h"

#include "common/CatalogSettings.h"
#include "common/Clock.h"
#include "common/UserPrompts.h"
#include "data/CatalogTables.h"
#include "data/Database.h"
#include "data/Statement.h"
#include "data/TableStore.h"
#include "data/Transaction.h"
#include "order/OrderBook.h"

#include <QLocale>

namespace {

const QString kDocColumns =
    QStringLiteral("idprice,code,barcode,fullname,articul,tm,country,nds,st1,st2,st3,wst3,vst3,"
                   "kol,cenaprice,procentdiscount,cena,summa,cenadiscouint,summaprice,"
                   "summadiscount");

} // namespace

OrderArchive::OrderArchive(OrderBook &book, TableStore &store, UserPrompts &prompts,
                           const Clock &clock, QString mainFilePath, QString docFilePath)
    : m_book(book), m_store(store), m_prompts(prompts), m_clock(clock),
      m_mainFilePath(std::move(mainFilePath)), m_docFilePath(std::move(docFilePath))
{
}

OrderArchive::OrderArchive(OrderBook &book, TableStore &store, UserPrompts &prompts,
                           const Clock &clock, const CatalogSettings &settings)
    : OrderArchive(book, store, prompts, clock, settings.WorkFolder + settings.MainFileName,
                   settings.WorkFolder + settings.DocFileName)
{
}

void OrderArchive::writeWorkingFiles()
{
    // Both files are written aside first and only then renamed into place together, so a
    // failure on either leaves both old files as they were.
    const QString mainTemporary = WorkingFile::temporaryPathFor(m_mainFilePath);
    const QString docTemporary = WorkingFile::temporaryPathFor(m_docFilePath);
    try {
        m_store.writeSchemaFile(m_store.schemaOf(CatalogTables::Main), mainTemporary);
        m_store.writeSchemaFile(m_store.schemaOf(CatalogTables::Doc), docTemporary);
    } catch (...) {
        WorkingFile::removeQuietly(mainTemporary);
        WorkingFile::removeQuietly(docTemporary);
        throw;
    }
    WorkingFile::replaceAll({{mainTemporary, m_mainFilePath}, {docTemporary, m_docFilePath}});
}

// The rows a change is about to remove, kept so that they can be put back as they were.
struct OrderArchive::KeptRows {
    QString table;
    QStringList columns;
    QList<QVariantList> rows;
};

OrderArchive::KeptRows OrderArchive::keepRows(const QString &table, const QString &keyColumn,
                                              int key) const
{
    KeptRows kept{table, {}, {}};
    Statement q = m_book.database().prepare(QStringLiteral("select * from ") + table +
                                            QStringLiteral(" where ") + keyColumn +
                                            QStringLiteral("=?1 order by id"));
    q.bind(1, key);
    for (int c = 0; c < q.columnCount(); ++c)
        kept.columns << q.columnName(c);
    while (q.step()) {
        QVariantList row;
        for (int c = 0; c < q.columnCount(); ++c)
            row << q.columnValue(c);
        kept.rows << row;
    }
    return kept;
}

void OrderArchive::restoreRows(const KeptRows &kept)
{
    QStringList marks;
    for (int i = 1; i <= kept.columns.size(); ++i)
        marks << QStringLiteral("?") + QString::number(i);
    Statement q = m_book.database().prepare(
        QStringLiteral("insert into ") + kept.table + QStringLiteral(" (") +
        kept.columns.join(QLatin1Char(',')) + QStringLiteral(") values (") +
        marks.join(QLatin1Char(',')) + QStringLiteral(")"));
    for (const QVariantList &row : kept.rows) {
        q.reset();
        for (int i = 0; i < row.size(); ++i)
            q.bindValue(i + 1, row.at(i));
        q.exec();
    }
}

std::optional<qint64> OrderArchive::sequence(const QString &table) const
{
    Statement q =
        m_book.database().prepare(QStringLiteral("select seq from \"") + m_store.schemaOf(table) +
                                  QStringLiteral("\".sqlite_sequence where name=?1"));
    q.bind(1, table);
    if (!q.step())
        return std::nullopt;
    const qint64 value = q.columnInt64(0);
    q.reset();
    return value;
}

void OrderArchive::restoreSequence(const QString &table, std::optional<qint64> value)
{
    const QString sequenceTable =
        QStringLiteral("\"") + m_store.schemaOf(table) + QStringLiteral("\".sqlite_sequence");
    if (value) {
        Statement q = m_book.database().prepare(QStringLiteral("update ") + sequenceTable +
                                                QStringLiteral(" set seq=?2 where name=?1"));
        q.bind(1, table).bind(2, *value).exec();
    } else {
        Statement q = m_book.database().prepare(QStringLiteral("delete from ") + sequenceTable +
                                                QStringLiteral(" where name=?1"));
        q.bind(1, table).exec();
    }
}

bool OrderArchive::saveCurrentOrder()
{
    if (m_book.isEmpty())
        return false;
    Database &db = m_book.database();
    const std::optional<qint64> mainSequence = sequence(CatalogTables::Main);
    const std::optional<qint64> docSequence = sequence(CatalogTables::Doc);
    int orderId = 0;
    {
        Transaction t(db);
        Statement totals =
            db.prepare(QStringLiteral("select sum(summa) as summa, count(*) as c from zakaz"));
        totals.step();
        const double summa = totals.columnDouble(0);
        const int count = totals.columnInt(1);
        totals.reset();

        QDateTime now = m_clock.now();
        now = now.addMSecs(-now.time().msec());
        Statement header =
            db.prepare(QStringLiteral("insert into main (datet,summa,rowcount) values (?1,?2,?3)"));
        header.bind(1, now).bind(2, summa).bind(3, count).exec();
        orderId = int(db.lastInsertRowId());

        Statement copy = db.prepare(QStringLiteral("insert into doc (iddoc,") + kDocColumns +
                                    QStringLiteral(") select ?1,") + kDocColumns +
                                    QStringLiteral(" from zakaz order by id"));
        copy.bind(1, orderId).exec();
        t.commit();
    }
    // The engine copies a table to its file only outside a transaction: the rows are in, and
    // taken out again, numbers included, when a file cannot be written.
    try {
        writeWorkingFiles();
    } catch (...) {
        Transaction undo(db);
        Statement lines = db.prepare(QStringLiteral("delete from doc where iddoc=?1"));
        lines.bind(1, orderId).exec();
        Statement header = db.prepare(QStringLiteral("delete from main where id=?1"));
        header.bind(1, orderId).exec();
        restoreSequence(CatalogTables::Main, mainSequence);
        restoreSequence(CatalogTables::Doc, docSequence);
        undo.commit();
        throw;
    }
    m_prompts.info(QStringLiteral("Текущий заказ сохранен."));
    return true;
}

void OrderArchive::newOrder()
{
    if (m_book.isEmpty())
        return;
    if (m_prompts.confirm(QStringLiteral(
            "Перед открытием нового заказа ,можно сохранить текущий заказ. Сохранить?")))
        saveCurrentOrder();
    m_book.clear();
    m_book.clearDiscount();
}

QList<OrderArchive::Header> OrderArchive::headers() const
{
    QList<Header> result;
    Statement q = m_book.database().prepare(
        QStringLiteral("select id,datet,summa,rowcount from main order by datet desc, id desc"));
    while (q.step())
        result << Header{q.columnInt(0), q.columnDateTime(1), q.columnDouble(2), q.columnInt(3)};
    return result;
}

QList<OrderLine> OrderArchive::lines(int headerId) const
{
    QList<OrderLine> result;
    Statement q =
        m_book.database().prepare(QStringLiteral("select ") + OrderLine::columns() +
                                  QStringLiteral(" from doc where doc.iddoc=?1 order by id"));
    q.bind(1, headerId);
    while (q.step())
        result << OrderLine::fromRow(q);
    return result;
}

bool OrderArchive::load(int headerId)
{
    if (!m_book.isEmpty() &&
        !m_prompts.confirm(QStringLiteral(
            "Загрузка заказа из архива заказов перепишет текущий заказ. Продолжить?")))
        return false;
    // Only the product and the quantity come from the archive; the rest is today's price list.
    QList<QPair<int, int>> quantities;
    for (const OrderLine &line : lines(headerId))
        quantities.append({line.idPrice, line.kol});
    m_book.replaceLines(quantities);
    return true;
}

bool OrderArchive::remove(int headerId)
{
    if (headerId <= 0)
        return false;
    if (!m_prompts.confirm(QStringLiteral("Удалить текущий заказ из архива?")))
        return false;
    Database &db = m_book.database();
    const KeptRows header = keepRows(CatalogTables::Main, QStringLiteral("id"), headerId);
    const KeptRows lines = keepRows(CatalogTables::Doc, QStringLiteral("iddoc"), headerId);
    {
        Transaction t(db);
        Statement deleteHeader = db.prepare(QStringLiteral("delete from main where main.id=?1"));
        deleteHeader.bind(1, headerId).exec();
        Statement deleteLines = db.prepare(QStringLiteral("delete from doc where doc.iddoc=?1"));
        deleteLines.bind(1, headerId).exec();
        t.commit();
    }
    try {
        writeWorkingFiles();
    } catch (...) {
        Transaction undo(db);
        restoreRows(header);
        restoreRows(lines);
        undo.commit();
        throw;
    }
    return true;
}

QString OrderArchive::dateText(const QDateTime &datet)
{
    return QLocale::c().toString(datet, QStringLiteral("dd.MM.yyyy hh:mm:ss"));
}
