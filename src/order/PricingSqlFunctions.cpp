#include "order/PricingSqlFunctions.h"

#include "browse/Pricing.h"
#include "data/Database.h"
#include "data/DatabaseError.h"

#include <sqlite3.h>

namespace {

void percentFunction(sqlite3_context *context, int, sqlite3_value **args)
{
    sqlite3_result_double(context, Pricing::limitPercent(sqlite3_value_double(args[0]),
                                                         sqlite3_value_double(args[1])));
}

void amountFunction(sqlite3_context *context, int, sqlite3_value **args)
{
    const Pricing::LineAmounts a = Pricing::lineAmounts(
        sqlite3_value_double(args[1]), sqlite3_value_double(args[2]), sqlite3_value_int(args[3]));
    const double values[] = {a.cenaPrice,    a.procentDiscount, a.cena,         a.summa,
                             a.cenaDiscount, a.summaPrice,      a.summaDiscount};
    const int n = sqlite3_value_int(args[0]);
    if (n < 0 || n >= int(std::size(values))) {
        sqlite3_result_error(context, "ferrow_amount: no such amount", -1);
        return;
    }
    sqlite3_result_double(context, values[n]);
}

void check(Database &db, int rc)
{
    if (rc != SQLITE_OK)
        throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(db.handle())));
}

} // namespace

void registerPricingSqlFunctions(Database &db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    check(db, sqlite3_create_function_v2(db.handle(), "ferrow_percent", 2, flags, nullptr,
                                         percentFunction, nullptr, nullptr, nullptr));
    check(db, sqlite3_create_function_v2(db.handle(), "ferrow_amount", 4, flags, nullptr,
                                         amountFunction, nullptr, nullptr, nullptr));
}
