// The price list filter, as the browsing state builds it from the search box: any text is
// either refused with a FilterError or becomes a condition the engine runs with its values
// bound, one value per "?".
#include "FuzzSupport.h"

#include "data/CatalogTables.h"
#include "data/Database.h"
#include "data/DatabaseError.h"
#include "data/FilterTranslator.h"
#include "data/TableStore.h"

using namespace FuzzSupport;

namespace {

struct PriceTable {
    Database db;
    TableStore store{db};
    PriceTable()
    {
        store.create(CatalogTables::Price);
        db.exec(QStringLiteral("INSERT INTO Price (ID, CODE, FULLNAME, CENA) VALUES "
                               "(1, 'A1', 'Молоток', 12.5), (2, 'B2', 'Nail \"x\"', 0)"));
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static PriceTable table;
    const QString filter = QString::fromUtf8(bytesOf(data, size));
    SqlCondition condition;
    try {
        condition = FilterTranslator(nullptr, QStringLiteral("price")).translate(filter);
    } catch (const FilterError &) {
        return 0;
    }
    check(condition.sql.count(QLatin1Char('?')) == condition.parameters.size(),
          "placeholders and values differ in number");
    try {
        Statement query =
            table.db.prepare(QStringLiteral("select id from price") + condition.whereClause() +
                             QStringLiteral(" order by code"));
        check(query.parameterCount() == condition.parameters.size(),
              "the engine sees another number of parameters");
        condition.bindTo(query);
        while (query.step()) {
        }
    } catch (const DatabaseError &e) {
        fail(QStringLiteral("an accepted filter is refused by the engine: ") + e.text());
    }
    return 0;
}
