#pragma once

#include <QString>
#include <stdexcept>

// A failed operation of the compound file container. The code selects one fixed message.
class ECFileError : public std::runtime_error {
public:
    enum Code {
        CreateFile = 0,
        CreateStream = 1,
        CreateStorage = 2,
        OpenFile = 3,
        OpenStream = 4,
        OpenStorage = 5,
        SetPosition = 6,
        Commit = 7,
    };

    explicit ECFileError(int code, QString detail = {});

    int code() const { return m_code; }
    // What the system said, if anything (for instance "No space left on device"); the
    // exception's text is always the fixed message of the code.
    const QString &detail() const { return m_detail; }

    static const char *messageOf(int code);

private:
    int m_code;
    QString m_detail;
};
