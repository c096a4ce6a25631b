#pragma once

#include <stdexcept>
#include <string>

#include <QString>

// An error of the table engine: a refused statement, a duplicate key, a working file that
// cannot be read or written.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString &text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};

// A working file that is missing, unreadable or not holding the table it should.
class WorkingFileError : public DatabaseError {
public:
    using DatabaseError::DatabaseError;
};
