#pragma once

#include "ui/TableRowSource.h"

#include <QHash>
#include <QString>
#include <memory>
#include <vector>

class Database;
class Statement;

// Rows of one table in a given order of ids; each row is read by its id when a grid paints it.
class SqlRowSource : public TableRowSource {
public:
    SqlRowSource(Database &db, QString table);
    ~SqlRowSource() override;

    void setIds(std::vector<int> ids);
    const std::vector<int> &ids() const { return m_ids; }
    // -1 outside the rows.
    int idAt(int row) const;
    // The row of an id, or -1.
    int rowOf(int id) const;

    int rowCount() const override { return int(m_ids.size()); }
    QVariantList rowValues(int row, const QStringList &fields) const override;

private:
    Database &m_db;
    QString m_table;
    std::vector<int> m_ids;
    mutable QHash<QString, std::shared_ptr<Statement>> m_statements;
};
