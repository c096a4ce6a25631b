#pragma once

#include <QString>

#include <optional>

class Database;
class Statement;

// A product of the price list as the order reads it, always looked up by ID in fPrice, which
// the browsing filter never narrows.
struct Product {
    int id = 0;
    QString code;
    QString fullName;
    QString articul;
    QString tm;
    QString country;
    QString barcode;
    double nds = 0;
    double cena = 0;
    double maxDiscount = 0;
    int st1 = 0;
    int st2 = 0;
    int st3 = 0;
    double wst3 = 0;
    double vst3 = 0;

    // The product with this ID, or none when the price list does not hold it.
    static std::optional<Product> find(Database &db, int id);
    // The select list that fromRow reads, in its order (columns of Price and fPrice).
    static const QString &columns();
    // Reads the columns() from the row, starting at column first.
    static Product fromRow(const Statement &row, int first = 0);
};
