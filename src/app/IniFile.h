#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <stdexcept>
#include <vector>

// A file could not be written; the text names it and says why.
class IniFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A Windows profile (ini) file: sections of key=value lines, keys matched without regard to
// letter case. Our own because QSettings reorders and escapes keys, and the settings file must
// keep its keys in a fixed order. Text is in the Cyrillic Windows code page with CR LF line
// ends; a bare LF is read as a line end too.
class IniFile {
public:
    // A missing or unreadable file gives an empty ini: reading never fails.
    static IniFile load(const QString &path);
    static IniFile fromBytes(const QByteArray &bytes);

    std::optional<QString> value(const QString &section, const QString &key) const;
    // Replaces the value where the key exists, otherwise appends the key to its section.
    void setValue(const QString &section, const QString &key, const QString &value);

    QByteArray toBytes() const;
    // Replaces the file as a whole, readable and writable by its owner only (the settings hold
    // passwords); throws IniFileError when it cannot be written.
    void save(const QString &path) const;

private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
    };

    Section *findSection(const QString &name);
    const Section *findSection(const QString &name) const;

    std::vector<Section> m_sections;
};
