#pragma once

#include <QString>

class Clock;

// Swaps a newer program file, left in the working folder, in for the running program.
class ProgramReplacement {
public:
    // The date suffix of the retired program file: year, day, month ("yyyyddmm").
    static QString dateSuffix(const Clock &clock);

    // When newProgram is a regular file: the running program file is renamed to its own path
    // followed by the date suffix, then newProgram is renamed to the program's path and made
    // executable. A rename that fails is skipped (the running program is put back when the new
    // one cannot take its place), so a second replacement on the same day changes nothing.
    // Never throws; true when the new program is in place.
    static bool replace(const QString &newProgram, const QString &programPath, const Clock &clock);
};
