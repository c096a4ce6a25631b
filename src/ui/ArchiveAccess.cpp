#include "ui/ArchiveAccess.h"

using namespace Qt::StringLiterals;

QVariantList ArchiveAccess::Rows::rowValues(int row, const QStringList &wanted) const
{
    QVariantList values;
    for (const QString &field : wanted) {
        const qsizetype c = fields.indexOf(field);
        values << (row >= 0 && row < rows.size() && c >= 0 ? rows[row].value(c) : QVariant());
    }
    return values;
}

ArchiveAccess::ArchiveAccess(OrderArchive &archive) : m_archive(archive)
{
    m_headerRows.fields = {u"ID"_s, u"DATET"_s, u"SUMMA"_s, u"ROWCOUNT"_s};
    m_lineRows.fields = {u"CODE"_s,
                         u"FULLNAME"_s,
                         u"ARTICUL"_s,
                         u"KOL"_s,
                         u"CENAPRICE"_s,
                         u"PROCENTDISCOUNT"_s,
                         u"CENA"_s,
                         u"SUMMA"_s,
                         u"CENADISCOUINT"_s,
                         u"SUMMAPRICE"_s,
                         u"SUMMADISCOUNT"_s,
                         u"COUNTRY"_s,
                         u"TM"_s,
                         u"NDS"_s};
}

void ArchiveAccess::reopen()
{
    m_headers = m_archive.headers();
    m_headerRows.rows.clear();
    for (const OrderArchive::Header &h : m_headers)
        m_headerRows.rows.append({h.id, OrderArchive::dateText(h.datet), h.summa, h.rowCount});
    m_lineRows.rows.clear();
    m_selected = -1;
    selectHeader(m_headers.isEmpty() ? -1 : 0);
}

void ArchiveAccess::selectHeader(int row)
{
    if (row < 0 || row >= m_headers.size())
        return; // no order: the lines stay as they were
    m_selected = row;
    m_lineRows.rows.clear();
    for (const OrderLine &l : m_archive.lines(m_headers[row].id))
        m_lineRows.rows.append({l.code, l.fullName, l.articul, l.kol, l.cenaPrice,
                                l.procentDiscount, l.cena, l.summa, l.cenaDiscount, l.summaPrice,
                                l.summaDiscount, l.country, l.tm, l.nds});
}

bool ArchiveAccess::loadSelected()
{
    if (m_selected < 0 || m_selected >= m_headers.size())
        return false;
    return m_archive.load(m_headers[m_selected].id);
}

bool ArchiveAccess::deleteSelected()
{
    if (m_selected < 0 || m_selected >= m_headers.size())
        return false;
    return m_archive.remove(m_headers[m_selected].id);
}
