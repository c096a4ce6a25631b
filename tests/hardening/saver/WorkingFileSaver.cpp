// working_file_saver KIND FOLDER FIRST: saves versions FIRST, FIRST+1, ... of the file KIND in
// FOLDER until it is killed, printing each version's number once its save has returned.
// working_file_saver --stop-at STEP FOLDER V: saves version V of the archive pair and ends the
// process, as a crash would, when the replacement reaches STEP.
#include "VersionedFiles.h"

#include "data/WorkingFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

int main(int argc, char **argv)
{
    if (argc == 5 && std::strcmp(argv[1], "--stop-at") == 0) {
        const int stopAt = std::atoi(argv[2]);
        WorkingFile::setStepObserverForTesting([stopAt](int step) {
            if (step == stopAt)
                std::_Exit(0);
        });
        VersionedFiles::writerFor(QStringLiteral("Main.lst+Doc.lst"),
                                  QString::fromLocal8Bit(argv[3]))
            ->save(std::atoll(argv[4]));
        return 3; // the step was never reached
    }
    if (argc != 4)
        return 2;
    const QString kind = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    try {
        auto writer = VersionedFiles::writerFor(kind, folder);
        if (!writer)
            return 2;
        for (qint64 v = std::atoll(argv[3]);; ++v) {
            writer->save(v);
            std::printf("%lld\n", static_cast<long long>(v));
            std::fflush(stdout);
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
