// A child process saves one kind of file over and over and is killed with SIGKILL at a random
// moment; afterwards the file under its real name must be the version saved last or the one
// being saved, whole, and the next save must work despite whatever the kill left behind.
#include "saver/VersionedFiles.h"

#include "TestPaths.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace {

const int killsPerKind = 30;

// One run of the saver: started, left to save at least once, then killed at a random moment.
// Returns the last version the saver reported as saved, or -1 if it never got there.
qint64 runAndKill(const QString &kind, const QString &folder, qint64 first, int delayMicros)
{
    int out[2];
    if (pipe(out) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const QByteArray program = FERROW_SAVER;
    const QByteArray k = kind.toLocal8Bit(), f = folder.toLocal8Bit();
    const QByteArray start = QByteArray::number(first);
    char *argv[] = {const_cast<char *>(program.constData()), const_cast<char *>(k.constData()),
                    const_cast<char *>(f.constData()), const_cast<char *>(start.constData()),
                    nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return -1;
    }
    QByteArray reported;
    char buffer[4096];
    // Wait for the first whole save, then let it run into a later one.
    pollfd p{out[0], POLLIN, 0};
    while (!reported.contains('\n') && poll(&p, 1, 20000) > 0) {
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        reported.append(buffer, n);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delayMicros));
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        reported.append(buffer, n);
    close(out[0]);
    // Only whole lines count: a number cut off by the kill was never reported.
    qint64 last = -1;
    for (const QByteArray &line : reported.left(reported.lastIndexOf('\n')).split('\n'))
        if (!line.isEmpty())
            last = line.toLongLong();
    return last;
}

} // namespace

TEST(KillWhileSaving, EveryFileIsTheOldOrTheNewVersionAfterSigkill)
{
    // A kill tests what a crashed process leaves, not a power cut: tmpfs, where the flushes to
    // disk cost nothing, shows the same renames as a disk.
    QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                          ? QStringLiteral("/dev/shm/ferrow-kill-XXXXXX")
                          : QDir::tempPath() + QStringLiteral("/ferrow-kill-XXXXXX"));
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path() + u'/';
    const QString keepFolder = QStringLiteral(FERROW_ARTIFACTS_DIR "/killed-workbooks/");
    QDir(keepFolder).removeRecursively();
    QDir().mkpath(keepFolder);
    QJsonObject expectedWorkbooks; // file kept -> the two versions it may hold
    QRandomGenerator random(20261211);
    int kills = 0;
    int midWrite = 0;

    for (const QString &kind : VersionedFiles::kinds()) {
        SCOPED_TRACE(kind.toStdString());
        const QString folder = root + QString(kind).replace(u'.', u'_') + u'/';
        QDir().mkpath(folder);
        VersionedFiles::writerFor(kind, folder)->save(0); // the old version before any kill
        qint64 next = 1;
        for (int i = 0; i < killsPerKind; ++i) {
            // Mostly within the next few saves, now and then right after the first one.
            const int delay = random.bounded(8) == 0 ? 0 : int(random.bounded(15000));
            const qint64 last = runAndKill(kind, folder, next, delay);
            ASSERT_GE(last, next) << "the saver did not get a save through after kill " << i;
            ++kills;
            // A temporary file beside the real one: the kill landed in the middle of a write.
            if (QDir(folder).entryList(QDir::Files | QDir::Hidden).size() >
                (kind.contains(u'+') ? 2 : 1))
                ++midWrite;
            if (kind.endsWith(QStringLiteral(".xls"))) {
                const QString kept = QStringLiteral("%1.xls").arg(i);
                ASSERT_TRUE(QFile::copy(folder + kind, keepFolder + kept))
                    << "no workbook under its real name after kill " << i;
                expectedWorkbooks[kept] = QStringLiteral("%1 %2").arg(last).arg(last + 1);
            } else {
                const VersionedFiles::Found found = VersionedFiles::readVersion(kind, folder);
                ASSERT_TRUE(found.error.isEmpty())
                    << "after kill " << i << ": " << found.error.toStdString();
                ASSERT_TRUE(found.version == last || found.version == last + 1)
                    << "after kill " << i << " the file holds version " << found.version
                    << ", the saver had reported " << last;
            }
            next = last + 2;
        }
    }
    EXPECT_GE(kills, 200);
    std::printf("%d kills, %d of them in the middle of a write\n", kills, midWrite);

    // Each kept workbook opens in olefile and xlrd and holds one of its two versions in A1.
    QProcess reader;
    const QString script = QStringLiteral(
        "import json,sys,olefile,xlrd\n"
        "d=sys.argv[1]; want=json.load(open(d+'expected.json')); bad=[]\n"
        "for name,versions in want.items():\n"
        "  try:\n"
        "    olefile.OleFileIO(d+name, raise_defects=olefile.DEFECT_INCORRECT).close()\n"
        "    v=int(xlrd.open_workbook(d+name).sheet_by_index(0).cell_value(0,0))\n"
        "    if str(v) not in versions.split(): bad.append(f'{name}: version {v}, not "
        "{versions}')\n"
        "  except Exception as e: bad.append(f'{name}: {e}')\n"
        "print('\\n'.join(bad)); sys.exit(1 if bad else 0)\n");
    QFile expected(keepFolder + QStringLiteral("expected.json"));
    ASSERT_TRUE(expected.open(QIODevice::WriteOnly));
    expected.write(QJsonDocument(expectedWorkbooks).toJson());
    expected.close();
    reader.start(QStringLiteral(FERROW_PYTHON), {QStringLiteral("-c"), script, keepFolder});
    ASSERT_TRUE(reader.waitForFinished(60000));
    EXPECT_EQ(reader.exitCode(), 0) << reader.readAllStandardOutput().toStdString()
                                    << reader.readAllStandardError().toStdString();
}

// The archive's two files are replaced one after the other; a process that dies between any
// two steps of that must leave, once the next start-up has tidied the folder, both files of
// the old save or both of the new one, and nothing else.
TEST(KillWhileSaving, ArchivePairIsOneVersionWhereverTheReplacementStops)
{
    const struct {
        int step;
        qint64 expected;
    } cases[] = {{0, 1}, {1, 1}, {2, 1}, {3, 2}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.step);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString folder = dir.path() + u'/';
        VersionedFiles::writerFor(QStringLiteral("Main.lst+Doc.lst"), folder)->save(1);
        QProcess saver;
        saver.start(
            QStringLiteral(FERROW_SAVER),
            {QStringLiteral("--stop-at"), QString::number(c.step), folder, QStringLiteral("2")});
        ASSERT_TRUE(saver.waitForFinished(60000));
        ASSERT_EQ(saver.exitCode(), 0) << saver.readAllStandardError().toStdString();
        if (c.step < 3) {
            EXPECT_GT(QDir(folder).entryList(QDir::Files).size(), 2) << "no traces to tidy";
        }
        const VersionedFiles::Found found =
            VersionedFiles::readVersion(QStringLiteral("Main.lst+Doc.lst"), folder);
        EXPECT_TRUE(found.error.isEmpty()) << found.error.toStdString();
        EXPECT_EQ(found.version, c.expected);
        // The next save goes through as usual.
        VersionedFiles::writerFor(QStringLiteral("Main.lst+Doc.lst"), folder)->save(3);
        EXPECT_EQ(VersionedFiles::readVersion(QStringLiteral("Main.lst+Doc.lst"), folder).version,
                  3);
    }
}
