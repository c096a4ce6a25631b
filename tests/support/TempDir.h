#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary folder for one test, removed afterwards; paths come with a trailing separator.
class TempDir {
public:
    TempDir();
    bool isValid() const { return m_dir.isValid(); }
    // The folder with a trailing separator.
    QString path() const;
    QString file(const QString &name) const;
    // Writes bytes to a file below the folder, creating subfolders; returns its path.
    QString write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;

private:
    QTemporaryDir m_dir;
};
