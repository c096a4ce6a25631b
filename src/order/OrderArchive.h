#pragma once

#include "order/OrderLine.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

class Clock;
struct CatalogSettings;
class OrderBook;
class TableStore;
class UserPrompts;

// The archive of saved orders: headers in Main, their lines in Doc, each table kept in its
// working file. Save and Delete change both tables and both files as one unit: when a file
// cannot be written, neither the tables nor the files keep a half-done change, and the error
// goes to the caller.
class OrderArchive {
public:
    struct Header {
        int id = 0;
        QDateTime datet; // the moment of saving, to the second
        double summa = 0;
        int rowCount = 0;
    };

    OrderArchive(OrderBook &book, TableStore &store, UserPrompts &prompts, const Clock &clock,
                 QString mainFilePath, QString docFilePath);
    // The working files WorkFolder + MainFileName and WorkFolder + DocFileName.
    OrderArchive(OrderBook &book, TableStore &store, UserPrompts &prompts, const Clock &clock,
                 const CatalogSettings &settings);

    // "Сохранить заказ в архив": false for an empty order (nothing shown).
    bool saveCurrentOrder();
    // "Новый заказ": offers to save a non-empty order, then empties it and the discount.
    void newOrder();

    // The saved orders, newest first.
    QList<Header> headers() const;
    QList<OrderLine> lines(int headerId) const;
    // "Загрузить заказ": true when the order was loaded (the archive window then closes).
    bool load(int headerId);
    // "Удалить заказ": true when the order was deleted.
    bool remove(int headerId);

    // The list's date column: dd.MM.yyyy hh:mm:ss.
    static QString dateText(const QDateTime &datet);

private:
    struct KeptRows;
    void writeWorkingFiles();
    KeptRows keepRows(const QString &table, const QString &keyColumn, int key) const;
    void restoreRows(const KeptRows &kept);
    std::optional<qint64> sequence(const QString &table) const;
    void restoreSequence(const QString &table, std::optional<qint64> value);

    OrderBook &m_book;
    TableStore &m_store;
    UserPrompts &m_prompts;
    const Clock &m_clock;
    QString m_mainFilePath;
    QString m_docFilePath;
};
