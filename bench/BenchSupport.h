#pragma once

#include <functional>

#include <QString>
#include <QTemporaryDir>

// Helpers shared by the benchmark programs.
namespace BenchSupport {

// True when the program was started with --figures (then it prints its figures and ends).
bool wantsFigures(int argc, char **argv);
// Wall time of one call, in milliseconds.
double millisecondsOf(const std::function<void()> &work);
// Best (smallest) wall time of several calls, in milliseconds.
double bestMillisecondsOf(int runs, const std::function<void()> &work);
// Resident memory of this process now, in megabytes (0 where unknown).
double residentMegabytes();
// A figure line: "<name> <value> <unit>", optionally followed by an anchor and the ratio.
void printFigure(const QString &name, double value, const QString &unit);
void printFigure(const QString &name, double value, const QString &unit, const QString &anchorName,
                 double anchorValue);
// A temporary folder path with a trailing separator.
QString folderOf(const QTemporaryDir &dir);

} // namespace BenchSupport
