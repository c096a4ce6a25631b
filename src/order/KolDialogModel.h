#pragma once

#include "order/Product.h"

#include <QString>

// The quantity dialog without its widgets: the product's packaging, the breakdown of the typed
// quantity into boxes, blocks, packages and loose pieces, its sum, weight and volume.
class KolDialogModel {
public:
    static inline const QString Caption = QStringLiteral("Количество товара в заявке");
    static inline const QString PackageCaption = QStringLiteral("Стандарт (упаковка):");
    static inline const QString BlockCaption = QStringLiteral("Стандарт (блок):");
    static inline const QString BoxCaption = QStringLiteral("Стандарт (коробка):");
    static inline const QString BoxesLabel = QStringLiteral("коробка");
    static inline const QString BlocksLabel = QStringLiteral("блок");
    static inline const QString PackagesLabel = QStringLiteral("упаковка");
    static inline const QString LooseLabel = QStringLiteral("россыпью");

    struct Breakdown {
        qint64 boxes = 0;
        qint64 blocks = 0;
        qint64 packages = 0;
        qint64 loose = 0;
        double sum = 0;
        double weight = 0; // kg, thousandths
        double volume = 0; // cubic metres, ten-thousandths
    };

    // Keys of the dialog, and what each does where the focus is.
    enum class Key { Enter, CtrlEnter, Esc };
    enum class Focus { QuantityBox, OkButton, CancelButton, Dialog };
    enum class Outcome { Ok, Cancel };
    static Outcome keyOutcome(Focus focus, Key key);

    static Breakdown breakdown(const Product &product, qint64 quantity);
    // The name on two lines, broken at the last blank left of its middle (a line break before
    // the whole name when there is none); used when the name is wider than the dialog.
    static QString breakName(const QString &name);

    // Fills the dialog for the product; an existing line shows its quantity and breakdown.
    void open(const Product &product, bool isKolUpdate, int orderedKol);
    // The quantity box changed (blank counts as 0).
    void setQuantityText(const QString &text);
    void setQuantity(int quantity);

    int quantity() const { return m_quantity; }
    QString quantityText() const { return QString::number(m_quantity); }
    const Breakdown &current() const { return m_breakdown; }
    const Product &product() const { return m_product; }
    double listPrice() const { return m_product.cena; }
    // The standards and the box's weight and volume as the fields' texts.
    QString st1Text() const { return QString::number(m_product.st1); }
    QString st2Text() const { return QString::number(m_product.st2); }
    QString st3Text() const { return QString::number(m_product.st3); }
    QString wst3Text() const;
    QString vst3Text() const;

private:
    Product m_product;
    int m_quantity = 0;
    Breakdown m_breakdown;
};
