#pragma once

#include <QString>

class Statement;

// One line of the current order (a Zakaz row) or of an archived order (a Doc row).
struct OrderLine {
    int id = 0;
    int idPrice = 0;
    QString code;
    QString fullName;
    QString articul;
    QString tm;
    QString country;
    QString barcode;
    double nds = 0;
    int st1 = 0;
    int st2 = 0;
    int st3 = 0;
    double wst3 = 0;
    double vst3 = 0;
    int kol = 0;
    double cenaPrice = 0;
    double procentDiscount = 0;
    double cena = 0;
    double summa = 0;
    double cenaDiscount = 0; // CENADISCOUINT
    double summaPrice = 0;
    double summaDiscount = 0;

    // The select list that fromRow reads, in its order (columns of Zakaz and Doc).
    static const QString &columns();
    static OrderLine fromRow(const Statement &row);
};
