#include "BenchSupport.h"

#include <chrono>
#include <cstdio>
#include <cstring>

#include <QFile>
#include <QLocale>

namespace BenchSupport {

bool wantsFigures(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--figures") == 0)
            return true;
    }
    return false;
}

double millisecondsOf(const std::function<void()> &work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double bestMillisecondsOf(int runs, const std::function<void()> &work)
{
    double best = 0;
    for (int i = 0; i < runs; ++i) {
        const double ms = millisecondsOf(work);
        if (i == 0 || ms < best)
            best = ms;
    }
    return best;
}

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

void printFigure(const QString &name, double value, const QString &unit)
{
    std::printf("%s %s %s\n", qPrintable(name), qPrintable(QLocale::c().toString(value, 'f', 1)),
                qPrintable(unit));
    std::fflush(stdout);
}

void printFigure(const QString &name, double value, const QString &unit, const QString &anchorName,
                 double anchorValue)
{
    const double ratio = anchorValue > 0 ? value / anchorValue : 0;
    std::printf("%s %s %s %s %s %s\n", qPrintable(name),
                qPrintable(QLocale::c().toString(value, 'f', 1)), qPrintable(unit),
                qPrintable(anchorName), qPrintable(QLocale::c().toString(anchorValue, 'f', 1)),
                qPrintable(QLocale::c().toString(ratio, 'f', 3)));
    std::fflush(stdout);
}

QString folderOf(const QTemporaryDir &dir)
{
    return dir.path() + QLatin1Char('/');
}

} // namespace BenchSupport
