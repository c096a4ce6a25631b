#pragma once

#include "order/OrderArchive.h"
#include "ui/OrderArchiveAccess.h"

#include <QList>
#include <QStringList>
#include <QVariantList>

// The archive window's view of the order archive: the saved orders and the lines of the
// selected one, read afresh at every opening (the archive is small beside the price list).
class ArchiveAccess : public OrderArchiveAccess {
public:
    explicit ArchiveAccess(OrderArchive &archive);

    void reopen() override;
    const TableRowSource &headers() const override { return m_headerRows; }
    const TableRowSource &lines() const override { return m_lineRows; }
    void selectHeader(int row) override;
    bool loadSelected() override;
    bool deleteSelected() override;
    void printSelected() override {}

private:
    // Rows kept as field values by field name.
    class Rows : public TableRowSource {
    public:
        QStringList fields;
        QList<QVariantList> rows;
        int rowCount() const override { return int(rows.size()); }
        QVariantList rowValues(int row, const QStringList &wanted) const override;
    };

    OrderArchive &m_archive;
    QList<OrderArchive::Header> m_headers;
    int m_selected = -1;
    Rows m_headerRows;
    Rows m_lineRows;
};
