#include "data/Transaction.h"

#include "data/Database.h"

namespace {
int g_savepointNumber = 0;
}

Transaction::Transaction(Database &db)
    : m_db(db), m_name(QStringLiteral("guard%1").arg(++g_savepointNumber))
{
    m_db.exec(QStringLiteral("SAVEPOINT ") + m_name);
}

Transaction::~Transaction()
{
    if (!m_open)
        return;
    try {
        rollback();
    } catch (...) {
        // Nothing sane is left to do in a destructor; the engine keeps its own state.
    }
}

void Transaction::commit()
{
    if (!m_open)
        return;
    m_db.exec(QStringLiteral("RELEASE ") + m_name);
    m_open = false;
}

void Transaction::rollback()
{
    if (!m_open)
        return;
    m_open = false;
    m_db.exec(QStringLiteral("ROLLBACK TO ") + m_name + QStringLiteral("; RELEASE ") + m_name);
}
