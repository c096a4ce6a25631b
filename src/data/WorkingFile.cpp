#include "data/WorkingFile.h"

#include <filesystem>
#include <system_error>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

#include "data/DatabaseError.h"

namespace WorkingFile {

namespace {

namespace fs = std::filesystem;

fs::path pathOf(const QString &p)
{
    return fs::path(p.toStdU16String());
}

std::function<void(int)> &stepObserver()
{
    static std::function<void(int)> observer;
    return observer;
}

void stepReached(int step)
{
    if (stepObserver())
        stepObserver()(step);
}

const QString kJournalSuffix = QStringLiteral(".journal");
const QString kOldSuffix = QStringLiteral(".old");

// Makes the renames and removals in a folder durable.
void flushFolder(const QString &folder)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

QString folderOf(const QString &filePath)
{
    return QFileInfo(filePath).absolutePath();
}

// One line per target: "1" when it had an old file, "0" when it is placed anew, a tab and the
// target's path relative to the journal's folder.
void writeJournal(const QString &journal, const QList<QPair<QString, bool>> &targets)
{
    const QDir folder(folderOf(journal));
    QByteArray text;
    for (const auto &[target, hadOld] : targets)
        text += (hadOld ? "1\t" : "0\t") + folder.relativeFilePath(target).toUtf8() + '\n';
    const QString temporary = temporaryPathFor(journal);
    QFile file(temporary);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                         file.write(text) == text.size() && file.flush();
#ifdef Q_OS_UNIX
    const bool synced = written && ::fsync(file.handle()) == 0;
#else
    const bool synced = written;
#endif
    const QString error = file.errorString();
    file.close();
    std::error_code renamed;
    if (synced)
        fs::rename(pathOf(temporary), pathOf(journal), renamed);
    if (!synced || renamed) {
        removeQuietly(temporary);
        throw WorkingFileError(
            QStringLiteral("The working file %1 cannot be written: %2")
                .arg(journal, synced ? QString::fromStdString(renamed.message()) : error));
    }
    flushFolder(folder.absolutePath());
}

// Puts back what the replacement that wrote the journal had changed, then drops the journal.
void rollBack(const QString &journal)
{
    QFile file(journal);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    const QDir folder(folderOf(journal));
    std::error_code ignored;
    for (const QByteArray &line : lines) {
        if (line.size() < 3 || line.at(1) != '\t')
            continue;
        const bool hadOld = line.at(0) == '1';
        const QString target = folder.absoluteFilePath(QString::fromUtf8(line.mid(2)));
        const QString old = target + kOldSuffix;
        if (QFileInfo::exists(old)) {
            // Still the old file's second name: the old contents go back under the real one.
            // (If the target was not replaced yet, both names are one file and the rename
            // changes nothing.)
            fs::rename(pathOf(old), pathOf(target), ignored);
            fs::remove(pathOf(old), ignored);
        } else if (!hadOld) {
            fs::remove(pathOf(target), ignored);
        }
        fs::remove(pathOf(temporaryPathFor(target)), ignored);
    }
    fs::remove(pathOf(journal), ignored);
}

} // namespace

QString temporaryPathFor(const QString &filePath)
{
    return filePath + QStringLiteral(".tmp");
}

void removeQuietly(const QString &filePath)
{
    std::error_code ignored;
    fs::remove(pathOf(filePath), ignored);
}

void setStepObserverForTesting(std::function<void(int step)> observer)
{
    stepObserver() = std::move(observer);
}

void replaceAll(const QList<QPair<QString, QString>> &temporaryToTarget)
{
    // Each target keeps a second name until all are replaced, so that a failure half-way can
    // put every replaced file back; a target itself is only ever replaced by a rename.
    QList<QPair<QString, QString>> kept; // second name, target
    QList<QString> placed;               // replaced targets
    const bool several = temporaryToTarget.size() > 1;
    const QString journal = several ? temporaryToTarget.first().second + kJournalSuffix : QString();
    const auto undo = [&]() {
        std::error_code ignored;
        for (const auto &[old, target] : kept) {
            if (placed.contains(target))
                fs::rename(pathOf(old), pathOf(target), ignored);
            else
                fs::remove(pathOf(old), ignored);
        }
        for (const QString &target : placed) {
            bool hadOld = false;
            for (const auto &entry : kept)
                hadOld = hadOld || entry.second == target;
            if (!hadOld)
                fs::remove(pathOf(target), ignored);
        }
        for (const auto &[temporary, target] : temporaryToTarget)
            fs::remove(pathOf(temporary), ignored);
        if (several)
            fs::remove(pathOf(journal), ignored);
    };
    const auto fail = [&](const QString &target, const std::error_code &error) {
        undo();
        return WorkingFileError(QStringLiteral("The working file %1 cannot be replaced: %2")
                                    .arg(target, QString::fromStdString(error.message())));
    };

    if (several) {
        QList<QPair<QString, bool>> targets;
        for (const auto &entry : temporaryToTarget)
            targets.append({entry.second, QFileInfo::exists(entry.second)});
        try {
            writeJournal(journal, targets);
        } catch (...) {
            for (const auto &[temporary, target] : temporaryToTarget)
                removeQuietly(temporary);
            throw;
        }
        stepReached(0);
    }
    int step = 0;
    for (const auto &[temporary, target] : temporaryToTarget) {
        std::error_code error;
        if (several && fs::exists(pathOf(target), error)) {
            const QString old = target + kOldSuffix;
            fs::remove(pathOf(old), error);
            fs::create_hard_link(pathOf(target), pathOf(old), error);
            if (error) {
                error.clear();
                fs::copy_file(pathOf(target), pathOf(old), fs::copy_options::overwrite_existing,
                              error);
            }
            if (error)
                throw fail(target, error);
            kept.append({old, target});
        }
        fs::rename(pathOf(temporary), pathOf(target), error);
        if (error)
            throw fail(target, error);
        placed.append(target);
        if (several)
            stepReached(++step);
    }
    if (!several)
        return;
    // Every target holds its new file: dropping the journal is what makes the change final.
    const QString folder = folderOf(journal);
    flushFolder(folder);
    removeQuietly(journal);
    flushFolder(folder);
    stepReached(step + 1);
    for (const auto &entry : kept)
        removeQuietly(entry.first);
}

void finishInterrupted(const QString &folder)
{
    const QDir dir(folder);
    if (!dir.exists())
        return;
    bool changed = false;
    for (const QString &name :
         dir.entryList({QStringLiteral("*") + kJournalSuffix}, QDir::Files | QDir::Hidden)) {
        rollBack(dir.absoluteFilePath(name));
        changed = true;
    }
    // Left by a kill before a journal was complete, or after one was dropped.
    for (const QString &name :
         dir.entryList({QStringLiteral("*") + kJournalSuffix + QStringLiteral(".tmp"),
                        QStringLiteral("*.lst") + kOldSuffix},
                       QDir::Files | QDir::Hidden)) {
        removeQuietly(dir.absoluteFilePath(name));
        changed = true;
    }
    if (changed)
        flushFolder(dir.absolutePath());
}

} // namespace WorkingFile
