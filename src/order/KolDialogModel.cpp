#include "order/KolDialogModel.h"

#include "browse/Pricing.h"

#include <QLocale>

KolDialogModel::Outcome KolDialogModel::keyOutcome(Focus focus, Key key)
{
    switch (key) {
    case Key::Esc:
        return Outcome::Cancel;
    case Key::CtrlEnter:
        return Outcome::Ok; // also on "Отмена"
    case Key::Enter:
        return focus == Focus::CancelButton ? Outcome::Cancel : Outcome::Ok;
    }
    return Outcome::Cancel;
}

KolDialogModel::Breakdown KolDialogModel::breakdown(const Product &p, qint64 a)
{
    Breakdown b;
    if (a == 0)
        return b;
    b.sum = double(a) * p.cena;
    // Whole packs only, from the largest down; what is left over is loose.
    b.boxes = p.st3 > 0 ? a / p.st3 : 0;
    const qint64 afterBoxes = a - qint64(p.st3) * b.boxes;
    b.blocks = p.st2 > 0 ? afterBoxes / p.st2 : 0;
    const qint64 afterBlocks = afterBoxes - qint64(p.st2) * b.blocks;
    b.packages = p.st1 > 0 ? afterBlocks / p.st1 : 0;
    b.loose = afterBlocks - qint64(p.st1) * b.packages;
    if (p.st3 > 0) {
        b.weight = Pricing::roundTo(p.wst3 / p.st3 * double(a), 0.001);
        b.volume = Pricing::roundTo(p.vst3 / p.st3 * double(a), 0.0001);
    }
    return b;
}

QString KolDialogModel::breakName(const QString &name)
{
    const QString trimmed = name.trimmed();
    const qsizetype length = trimmed.size();
    // Positions count from 1, from half the length less one down to the first.
    for (qsizetype position = length / 2 - 1; position >= 1; --position) {
        if (trimmed.at(position - 1) == QLatin1Char(' '))
            return trimmed.left(position) + QLatin1Char('\n') + trimmed.mid(position);
    }
    return QLatin1Char('\n') + trimmed;
}

void KolDialogModel::open(const Product &product, bool isKolUpdate, int orderedKol)
{
    m_product = product;
    setQuantity(isKolUpdate ? orderedKol : 0);
}

void KolDialogModel::setQuantityText(const QString &text)
{
    bool ok = false;
    const int value = QLocale::c().toInt(text.trimmed(), &ok);
    setQuantity(ok ? value : 0);
}

void KolDialogModel::setQuantity(int quantity)
{
    m_quantity = quantity;
    m_breakdown = breakdown(m_product, quantity);
}

QString KolDialogModel::wst3Text() const
{
    return QLocale::c().toString(m_product.wst3, 'g', 15);
}

QString KolDialogModel::vst3Text() const
{
    return QLocale::c().toString(m_product.vst3, 'g', 15);
}
