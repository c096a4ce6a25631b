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

// The amounts of the last line asked for: a statement asks for all seven of one line in turn.
struct LastLine {
    double listPrice = 0;
    double percent = 0;
    int kol = 0;
    bool valid = false;
    Pricing::LineAmounts amounts;
};

void amountFunction(sqlite3_context *context, int, sqlite3_value **args)
{
    auto *last = static_cast<LastLine *>(sqlite3_user_data(context));
    const double listPrice = sqlite3_value_double(args[1]);
    const double percent = sqlite3_value_double(args[2]);
    const int kol = sqlite3_value_int(args[3]);
    if (!last->valid || last->listPrice != listPrice || last->percent != percent ||
        last->kol != kol)
        *last = {listPrice, percent, kol, true, Pricing::lineAmounts(listPrice, percent, kol)};
    const Pricing::LineAmounts &a = last->amounts;
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
    check(db, sqlite3_create_function_v2(db.handle(), "ferrow_amount", 4, flags, new LastLine,
                                         amountFunction, nullptr, nullptr,
                                         [](void *p) { delete static_cast<LastLine *>(p); }));
}
