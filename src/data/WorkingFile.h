#pragma once

#include <functional>

#include <QList>
#include <QPair>
#include <QString>

// Replacing working files by renaming freshly written temporary files over them.
namespace WorkingFile {

// The temporary file written before the rename: same folder, so the rename is atomic.
QString temporaryPathFor(const QString &filePath);

// Renames every temporary file over its target. The targets change together: if one rename
// fails, the targets renamed so far are put back, the temporary files are removed and a
// WorkingFileError is raised; if the process dies half-way, a journal beside the first target
// lets finishInterrupted() put every target back as it was.
void replaceAll(const QList<QPair<QString, QString>> &temporaryToTarget);

// Completes what a replacement of several files that the process did not live to finish left
// in the folder: the files it had replaced get their old contents back, the files it was
// placing anew are removed, and its temporary files and its journal go. Also clears old names
// kept by a replacement that had completed. Does nothing in a folder without such traces.
void finishInterrupted(const QString &folder);

void removeQuietly(const QString &filePath);

// For the crash tests: called at each step of a replacement of several files (0 once the
// journal is written, k after the k-th rename, count + 1 once the journal is gone).
void setStepObserverForTesting(std::function<void(int step)> observer);

} // namespace WorkingFile
