// working_file_saver KIND FOLDER FIRST: saves versions FIRST, FIRST+1, ... of the file KIND in
// FOLDER until it is killed, printing each version's number once its save has returned.
#include "VersionedFiles.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

int main(int argc, char **argv)
{
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
