// Feeds every file of the given folders (or the given files) to the harness it is linked
// with, in name order, as libFuzzer would when it replays a corpus.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char **argv)
{
    // Absolute paths, gathered first: a harness may change the current folder.
    QStringList files;
    for (int i = 1; i < argc; ++i) {
        const QFileInfo arg(QString::fromLocal8Bit(argv[i]));
        if (arg.isDir()) {
            const QDir dir(arg.absoluteFilePath());
            for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
                files << dir.absoluteFilePath(name);
        } else {
            files << arg.absoluteFilePath();
        }
    }
    int inputs = 0;
    {
        for (const QString &path : files) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
                return 2;
            }
            const QByteArray bytes = file.readAll();
            std::fprintf(stderr, "%s\n", qPrintable(path));
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()),
                                   size_t(bytes.size()));
            ++inputs;
        }
    }
    std::printf("%d inputs replayed\n", inputs);
    return inputs > 0 ? 0 : 1;
}
