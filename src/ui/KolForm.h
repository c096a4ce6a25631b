#pragma once

#include <QDialog>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// The quantity dialog: how many pieces of one product, with the breakdown into the product's
// packaging shown while the number is typed.
class TAppKolForm : public QDialog {
    Q_OBJECT
public:
    // What the dialog shows of the product; the standards as the fields' text.
    struct Product {
        QString name;
        QString st1, st2, st3;
        QString wst3, vst3;
        double cena = 0;
    };
    // A quantity broken down into the packaging, with its list sum, weight and volume.
    struct Breakdown {
        qint64 boxes = 0, blocks = 0, packages = 0, loose = 0;
        double sum = 0, weight = 0, volume = 0;
    };

    explicit TAppKolForm(QWidget *parent = nullptr);

    // Computes the breakdown of a quantity for the product being shown.
    std::function<Breakdown(qint64 quantity)> breakdown;
    // Called with the quantity when the user commits it (OK, Enter, Ctrl+Enter).
    std::function<void(qint64 quantity)> onCommit;

    // Fills the dialog for a product; `ordered` is the quantity already ordered, if any.
    void prepare(const Product &product, std::optional<qint64> ordered);
    qint64 quantity() const;

    // The name as shown: broken at a blank left of its middle when wider than the dialog.
    static QString wrapName(const QString &name, bool tooWide);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void commit();
    void recompute();

    Product m_product;
    QLabel *m_name = nullptr;
    QLabel *m_st[3] = {};
    QLabel *m_volumeWeight = nullptr;
    QLineEdit *m_kol = nullptr;
    QLineEdit *m_parts[4] = {};
    QLineEdit *m_cena = nullptr;
    QLineEdit *m_sum = nullptr;
    QLineEdit *m_volume = nullptr;
    QLineEdit *m_weight = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
