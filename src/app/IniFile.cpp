#include "app/IniFile.h"

#include "common/TextUtils.h"

#include <QFile>
#include <QSaveFile>

namespace {

const QByteArray utf8Bom("\xEF\xBB\xBF");

// A line break inside a value would end the line and could forge the next key.
QString oneLine(const QString &value)
{
    QString result = value;
    result.replace(QLatin1Char('\r'), QLatin1Char(' '));
    result.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return result;
}

} // namespace

IniFile IniFile::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return fromBytes(file.readAll());
}

IniFile IniFile::fromBytes(const QByteArray &bytes)
{
    // A file holding text outside the code page is written in UTF-8 with a byte order mark.
    const QString text = bytes.startsWith(utf8Bom) ? QString::fromUtf8(bytes.mid(utf8Bom.size()))
                                                   : TextUtils::fromCp1251(bytes);
    IniFile ini;
    Section *current = nullptr;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')))
            continue;
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            const QString name = trimmed.mid(1, trimmed.size() - 2).trimmed();
            current = ini.findSection(name);
            if (!current) {
                ini.m_sections.push_back({name, {}});
                current = &ini.m_sections.back();
            }
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!current || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        // Values are kept exactly as written so that blanks survive a round trip.
        const QString value = line.mid(eq + 1);
        bool known = false;
        for (const Entry &e : current->entries)
            known = known || e.key.compare(key, Qt::CaseInsensitive) == 0;
        if (!known) // the first occurrence wins, as with the system's reader
            current->entries.push_back({key, value});
    }
    return ini;
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    if (const Section *s = findSection(section))
        for (const Entry &e : s->entries)
            if (e.key.compare(key, Qt::CaseInsensitive) == 0)
                return e.value;
    return std::nullopt;
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    Section *s = findSection(section);
    if (!s) {
        m_sections.push_back({section, {}});
        s = &m_sections.back();
    }
    for (Entry &e : s->entries)
        if (e.key.compare(key, Qt::CaseInsensitive) == 0) {
            e.value = oneLine(value);
            return;
        }
    s->entries.push_back({key, oneLine(value)});
}

QByteArray IniFile::toBytes() const
{
    QString text;
    for (const Section &s : m_sections) {
        if (!text.isEmpty())
            text += QStringLiteral("\r\n");
        text += QLatin1Char('[') + s.name + QStringLiteral("]\r\n");
        for (const Entry &e : s.entries)
            text += e.key + QLatin1Char('=') + e.value + QStringLiteral("\r\n");
    }
    const QByteArray cp1251 = TextUtils::toCp1251(text);
    if (TextUtils::fromCp1251(cp1251) == text)
        return cp1251;
    return utf8Bom + text.toUtf8();
}

void IniFile::save(const QString &path) const
{
    const QByteArray bytes = toBytes();
    QSaveFile file(path);
    auto fail = [&path](const QString &reason) {
        throw IniFileError((QStringLiteral("Не удалось записать файл \"%1\": %2").arg(path, reason))
                               .toStdString());
    };
    if (!file.open(QIODevice::WriteOnly))
        fail(file.errorString());
    // Narrowed before anything is written; the rename keeps the mode for the final file.
    if (!file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        fail(file.errorString());
    if (file.write(bytes) != bytes.size())
        fail(file.errorString());
    // commit() does not notice a failure to flush its buffer (a full disk writes part of it),
    // and would put the cut file in place of the whole one.
    if (!file.flush())
        fail(file.errorString());
    if (!file.commit())
        fail(file.errorString());
}

IniFile::Section *IniFile::findSection(const QString &name)
{
    for (Section &s : m_sections)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

const IniFile::Section *IniFile::findSection(const QString &name) const
{
    for (const Section &s : m_sections)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}
