#pragma once

class Database;

// The pricing rules as SQL functions of the connection, so that a whole order can be
// re-priced by one statement with exactly the arithmetic of the line operations:
//   ferrow_percent(orderPercent, maxDiscount)       the effective discount percent
//   ferrow_amount(n, listPrice, percent, kol)       amount n of the line: 0 CENAPRICE,
//       1 PROCENTDISCOUNT, 2 CENA, 3 SUMMA, 4 CENADISCOUINT, 5 SUMMAPRICE, 6 SUMMADISCOUNT
// Registering again is harmless.
void registerPricingSqlFunctions(Database &db);
