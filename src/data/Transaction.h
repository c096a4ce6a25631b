#pragma once

#include <QString>

class Database;

// All or nothing: the changes since construction are undone unless commit() was called.
// Built on savepoints, so guards nest.
class Transaction {
public:
    explicit Transaction(Database &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();
    void rollback();

private:
    Database &m_db;
    QString m_name;
    bool m_open = true;
};
