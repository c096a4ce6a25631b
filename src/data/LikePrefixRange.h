#pragma once

#include "data/SqlCondition.h"

// Lets a prefix search use an index. SQLite evaluates LIKE row by row over the whole table;
// a LIKE whose pattern starts with literal text is here preceded by the equivalent range
// ("CODE" >= 'ABC' AND "CODE" < 'ABD'), which the engine answers from the field's index. The
// LIKE itself stays, so the rows are exactly those of the original condition.
//
// The range is only added where it cannot drop a row: LIKE folds the case of ASCII letters,
// so a prefix holding such letters gets a range only on the upper-case fields (names ending
// in "_IND", whose letters are all upper case), with its letters in upper case.
// Works on the conditions of FilterTranslator: a LIKE inside "NOT (...)" is left alone.
SqlCondition withLikePrefixRanges(const SqlCondition &condition);
