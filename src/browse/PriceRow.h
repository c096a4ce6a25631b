#pragma once

#include <QString>

#include <optional>

class Statement;

// One row of the price list as the price grid and the product card show it.
struct PriceRow {
    int id = 0;
    QString code;
    QString fullName;
    double nds = 0;
    int kolTek = 0;
    double cena = 0;
    double maxDiscount = 0;
    QString articul;
    QString tm;
    QString country;
    int st1 = 0;
    int st2 = 0;
    int st3 = 0;
    double wst3 = 0;
    double vst3 = 0;
    int idGroup = 0;
    int idSubGroup = 0;
    std::optional<int> kolZak; // none when the product is not ordered
    bool isPhoto = false;
    bool isNew = false;
    QString barcode;

    // The select list that fromRow reads, in its order.
    static const QString &columns();
    static PriceRow fromRow(const Statement &row);
};
