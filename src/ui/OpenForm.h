#pragma once

#include <QDialog>

class CatalogGrid;
class GridTableModel;
class OrderArchiveAccess;
class QToolButton;

// The archive window: saved orders on the left, the lines of the selected one on the right.
class TAppOpenForm : public QDialog {
    Q_OBJECT
public:
    explicit TAppOpenForm(QWidget *parent = nullptr);
    void setArchive(OrderArchiveAccess *archive) { m_archive = archive; }

    CatalogGrid *orders() const { return m_orders; }
    CatalogGrid *lines() const { return m_lines; }

    void SpeedButton1Click(); // load
    void SpeedButton3Click(); // delete
    void SpeedButton4Click(); // print

protected:
    void showEvent(QShowEvent *event) override;

private:
    QToolButton *toolButton(const QString &name, const QString &hint, const QString &icon);
    void reopen();
    void currentOrderChanged();

    OrderArchiveAccess *m_archive = nullptr;
    CatalogGrid *m_orders = nullptr;
    CatalogGrid *m_lines = nullptr;
    GridTableModel *m_ordersModel = nullptr;
    GridTableModel *m_linesModel = nullptr;
};
