#include "ui/KolForm.h"

#include "order/KolDialogModel.h"
#include "ui/DisplayFormat.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QLineEdit *readOnlyBox(QWidget *parent, const QString &name, int width)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(width);
    return box;
}

QFrame *panel(QWidget *parent, const QString &name)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::StyledPanel);
    return frame;
}

} // namespace

TAppKolForm::TAppKolForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(u"AppKolForm"_s);
    setWindowTitle(u"Количество товара в заявке"_s);
    setModal(true);
    const int width = 420;

    // The product: name, standards, box volume and weight.
    auto *product = panel(this, u"pProduct"_s);
    auto *productGrid = new QGridLayout(product);
    m_name = new QLabel(product);
    m_name->setObjectName(u"lblName"_s);
    QFont bold = m_name->font();
    bold.setBold(true);
    m_name->setFont(bold);
    productGrid->addWidget(m_name, 0, 0, 1, 2);
    // The form's own captions, replaced at every opening.
    for (int i = 0; i < 3; ++i) {
        m_st[i] = new QLabel(u"Стандарт 1:"_s, product);
        m_st[i]->setObjectName(u"lblSt%1"_s.arg(i + 1));
        productGrid->addWidget(m_st[i], i + 1, 0);
    }
    m_volumeWeight = new QLabel(product);
    m_volumeWeight->setObjectName(u"lblVolumeWeight"_s);
    productGrid->addWidget(m_volumeWeight, 1, 1, Qt::AlignRight);
    productGrid->setColumnStretch(0, 1);

    // The quantity and its breakdown.
    auto *entry = panel(this, u"pEntry"_s);
    auto *entryGrid = new QGridLayout(entry);
    auto *kolLabel = new QLabel(u"Количество"_s, entry);
    m_kol = new QLineEdit(entry);
    m_kol->setObjectName(u"eKol"_s);
    auto *validator = new QIntValidator(-999999999, 999999999, m_kol);
    validator->setLocale(QLocale::c());
    m_kol->setValidator(validator);
    m_kol->setAlignment(Qt::AlignRight);
    m_kol->setFixedWidth(110);
    QFont big = m_kol->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    m_kol->setFont(big);
    kolLabel->setBuddy(m_kol);
    entryGrid->addWidget(kolLabel, 0, 0, 4, 1, Qt::AlignVCenter);
    entryGrid->addWidget(m_kol, 0, 1, 4, 1, Qt::AlignVCenter);
    entryGrid->addWidget(new QLabel(u" ="_s, entry), 0, 2, 4, 1, Qt::AlignVCenter);
    static const char *const PartNames[4] = {"eBoxes", "eBlocks", "ePackages", "eLoose"};
    for (int i = 0; i < 4; ++i) {
        m_parts[i] = readOnlyBox(entry, QString::fromLatin1(PartNames[i]), 80);
        auto *label = new QLabel(u"Стандарта %1"_s.arg(qMin(i + 1, 3)), entry);
        label->setObjectName(u"lblPart%1"_s.arg(i + 1));
        entryGrid->addWidget(m_parts[i], i, 3);
        entryGrid->addWidget(label, i, 4);
    }
    entryGrid->setColumnStretch(4, 1);

    // What the quantity costs and weighs.
    auto *amount = panel(this, u"pAmount"_s);
    auto *amountGrid = new QGridLayout(amount);
    m_cena = readOnlyBox(amount, u"eCenaPrice"_s, 110);
    m_sum = readOnlyBox(amount, u"eSumma"_s, 110);
    m_volume = readOnlyBox(amount, u"eVolume"_s, 110);
    m_weight = readOnlyBox(amount, u"eWeight"_s, 110);
    const std::pair<QString, QString> rows[4] = {{u"Цена по прайсу"_s, u"руб."_s},
                                                 {u"Сумма по прайсу"_s, u"руб."_s},
                                                 {u"Объем:"_s, u"м.куб."_s},
                                                 {u"Вес:"_s, u"кг."_s}};
    QLineEdit *boxes[4] = {m_cena, m_sum, m_volume, m_weight};
    for (int i = 0; i < 4; ++i) {
        amountGrid->addWidget(new QLabel(rows[i].first, amount), i, 0);
        amountGrid->addWidget(boxes[i], i, 1);
        amountGrid->addWidget(new QLabel(rows[i].second, amount), i, 2);
    }
    amountGrid->setColumnStretch(2, 1);

    m_ok = new QPushButton(u"ОК"_s, this);
    m_ok->setObjectName(u"btnOk"_s);
    m_cancel = new QPushButton(u"Отмена"_s, this);
    m_cancel->setObjectName(u"btnCancel"_s);
    // Enter is decided by the key table below, not by a default button.
    m_ok->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(product);
    layout->addWidget(entry);
    layout->addWidget(amount);
    layout->addLayout(buttons);
    setFixedWidth(width);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_kol, &QLineEdit::textChanged, this, [this] { recompute(); });
    connect(m_ok, &QPushButton::clicked, this, &TAppKolForm::commit);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    for (QWidget *w : {static_cast<QWidget *>(m_kol), static_cast<QWidget *>(m_ok),
                       static_cast<QWidget *>(m_cancel)})
        w->installEventFilter(this);
}

QString TAppKolForm::wrapName(const QString &name, bool tooWide)
{
    return tooWide ? KolDialogModel::breakName(name) : name;
}

void TAppKolForm::prepare(const Product &product, std::optional<qint64> ordered)
{
    m_product = product;
    const int available = 420 - 40;
    const bool tooWide = m_name->fontMetrics().horizontalAdvance(product.name) > available;
    m_name->setText(wrapName(product.name, tooWide));
    m_st[0]->setText(u"Стандарт (упаковка):  "_s + product.st1 + u" шт"_s);
    m_st[1]->setText(u"Стандарт (блок):  "_s + product.st2 + u" шт"_s);
    m_st[2]->setText(u"Стандарт (коробка):  "_s + product.st3 + u" шт"_s);
    m_volumeWeight->setText(u"Объем: "_s + product.vst3 + u" м.куб.   Вес: "_s + product.wst3 +
                            u" кг."_s);
    const char *const partLabels[4] = {"коробка", "блок", "упаковка", "россыпью"};
    for (int i = 0; i < 4; ++i)
        findChild<QLabel *>(u"lblPart%1"_s.arg(i + 1))->setText(QString::fromUtf8(partLabels[i]));
    m_cena->setText(DisplayFormat::format(product.cena, u"# ##0.00"_s));
    m_kol->setText(QLocale::c().toString(ordered.value_or(0)));
    recompute();
    m_kol->setFocus();
    m_kol->selectAll();
}

qint64 TAppKolForm::quantity() const
{
    return QLocale::c().toLongLong(m_kol->text().trimmed());
}

void TAppKolForm::recompute()
{
    const qint64 a = quantity();
    Breakdown b;
    if (a != 0 && breakdown)
        b = breakdown(a);
    const qint64 parts[4] = {b.boxes, b.blocks, b.packages, b.loose};
    for (int i = 0; i < 4; ++i)
        m_parts[i]->setText(DisplayFormat::format(double(parts[i]), u"# ##0"_s));
    m_sum->setText(DisplayFormat::format(b.sum, u"# ##0.00"_s));
    m_volume->setText(DisplayFormat::format(b.volume, u"# ##0.####"_s));
    m_weight->setText(DisplayFormat::format(b.weight, u"# ##0.####"_s));
}

void TAppKolForm::commit()
{
    if (m_kol->text().trimmed().isEmpty())
        m_kol->setText(u"0"_s);
    if (onCommit)
        onCommit(quantity());
    accept();
}

bool TAppKolForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & Qt::ControlModifier)) {
            commit();
            return true;
        }
        if (enter) {
            if (watched == m_cancel)
                reject();
            else
                commit();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAppKolForm::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter) {
        commit();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TAppKolForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_kol->setFocus();
    m_kol->selectAll();
}
