#include "app/SettingsFile.h"

#include "app/IniFile.h"

#include <QFile>
#include <QLocale>
#include <array>

namespace {

const QString section = QStringLiteral("COMMON");

// Proxy kind code by list position; the last position is the SOCKS 5 proxy.
constexpr std::array<quint8, 7> kindByPosition = {0, 8, 3, 2, 5, 4, 1};
constexpr int socksPosition = 7;

QString defaultPostName()
{
    return QStringLiteral("ООО ТД \"Ferrow\"");
}

QString picturesFolder(const QString &programFolder)
{
    return programFolder + QStringLiteral("pictures/");
}

class Reader {
public:
    explicit Reader(const IniFile &ini) : m_ini(ini) {}

    QString text(const char *key, const QString &fallback) const
    {
        return m_ini.value(section, QLatin1String(key)).value_or(fallback);
    }
    int integer(const char *key, int fallback) const
    {
        const auto v = m_ini.value(section, QLatin1String(key));
        if (!v)
            return fallback;
        bool ok = false;
        const int n = QLocale::c().toInt(v->trimmed(), &ok);
        return ok ? n : fallback;
    }
    bool boolean(const char *key, bool fallback) const
    {
        return integer(key, fallback ? 1 : 0) != 0;
    }

private:
    const IniFile &m_ini;
};

void setDefaults(CatalogSettings &s, const QString &programFolder)
{
    s.PathPicture = picturesFolder(programFolder);
    s.PathBase = programFolder;
    s.IsImportOnStart = 0;
    s.IsInputKolByWindow = 1;
    s.PostName = defaultPostName();
    for (QString *field : {&s.PostAdress, &s.PostInn, &s.PostKpp, &s.PostContactFace, &s.PostTels,
                           &s.MailForsend, &s.Orgname, &s.OrgAdress, &s.OrgInn, &s.OrgKpp,
                           &s.OrgContactFace, &s.OrgTels, &s.OrgMail, &s.ConnectPasswordWWW,
                           &s.ConnectUserNameWWW, &s.ProxyPassword, &s.ProxyUserName, &s.ProxyHost})
        field->clear();
    s.ConnectHostWWW = DefaultHostName();
    s.ConnectPassive = false;
    s.ConnectPortWWW = 80;
    s.ProxyKind = 0;
    s.ProxyPort = 0;
    // UseSocks stays as it was: the SOCKS choice is not a default of its own.
}

QString number(int n)
{
    return QLocale::c().toString(n);
}

} // namespace

QString DefaultHostUrl()
{
    const QString configured = QStringLiteral(FERROW_DEFAULT_HOST);
    if (configured.contains(QStringLiteral("://")))
        return configured;
    return QStringLiteral("http://") + configured;
}

QString DefaultHostName()
{
    QString host = DefaultHostUrl();
    const qsizetype scheme = host.indexOf(QStringLiteral("://"));
    if (scheme >= 0)
        host = host.mid(scheme + 3);
    while (host.endsWith(QLatin1Char('/')))
        host.chop(1);
    return host;
}

int ProxyTypeOf(const CatalogSettings &settings)
{
    if (settings.UseSocks)
        return socksPosition;
    for (int pos = 1; pos < int(kindByPosition.size()); ++pos)
        if (kindByPosition[pos] == settings.ProxyKind)
            return pos;
    return 0;
}

bool ApplyProxyType(CatalogSettings &settings, int proxyType)
{
    if (proxyType < 0 || proxyType > socksPosition)
        return false;
    settings.UseSocks = proxyType == socksPosition;
    settings.ProxyKind = settings.UseSocks ? 0 : kindByPosition[proxyType];
    return true;
}

void ReadSettings(CatalogSettings &s, const QString &folder, const QString &fileName,
                  const QString &programFolder)
{
    const QString path = folder + fileName;
    s.FirstRun = false;
    if (!QFile::exists(path)) {
        s.FirstRun = true;
        setDefaults(s, programFolder);
        WriteSettings(s, folder, fileName);
        return;
    }
    const IniFile ini = IniFile::load(path);
    const Reader r(ini);
    s.PathPicture = r.text("PathPicture", picturesFolder(programFolder));
    s.PathBase = r.text("PathBase", programFolder);
    s.IsInputKolByWindow = r.integer("IsInputKolByWindow", 1);
    s.PostName = r.text("PostName", defaultPostName());
    s.PostAdress = r.text("PostAdress", {});
    s.PostInn = r.text("PostInn", {});
    s.PostKpp = r.text("PostKpp", {});
    s.PostContactFace = r.text("PostContactFace", {});
    s.PostTels = r.text("PostTels", {});
    s.MailForsend = r.text("MailForsend", {});
    s.Orgname = r.text("Orgname", {});
    s.OrgAdress = r.text("OrgAdress", {});
    s.OrgInn = r.text("OrgInn", {});
    s.OrgKpp = r.text("OrgKpp", {});
    s.OrgContactFace = r.text("OrgContactFace", {});
    s.OrgTels = r.text("OrgTels", {});
    s.OrgMail = r.text("OrgMail", {});
    s.IsImportOnStart = r.integer("IsImportOnStart", 0);
    s.ConnectPasswordWWW = r.text("ConnectPasswordWWW", {});
    s.ConnectUserNameWWW = r.text("ConnectUserNameWWW", {});
    s.ConnectHostWWW = r.text("ConnectHostWWW", DefaultHostUrl());
    s.ConnectPassive = r.boolean("ConnectPassive", false);
    s.ConnectPortWWW = r.integer("ConnectPortWWW", 80);
    s.ProxyHost = r.text("ProxyHost", {});
    s.ProxyUserName = r.text("ProxyUserName", {});
    s.ProxyPassword = r.text("ProxyPassword", {});
    s.ProxyPort = r.integer("ProxyPort", 0);
    ApplyProxyType(s, r.integer("ProxyType", 0));
}

void WriteSettings(const CatalogSettings &s, const QString &folder, const QString &fileName)
{
    const QString path = folder + fileName;
    // Other sections and keys someone put in the file stay where they are.
    IniFile ini = IniFile::load(path);
    auto put = [&ini](const char *key, const QString &value) {
        ini.setValue(section, QLatin1String(key), value);
    };
    put("PathPicture", s.PathPicture);
    put("PathBase", s.PathBase);
    put("IsInputKolByWindow", number(s.IsInputKolByWindow));
    put("PostName", s.PostName);
    put("PostAdress", s.PostAdress);
    put("PostInn", s.PostInn);
    put("PostKpp", s.PostKpp);
    put("PostContactFace", s.PostContactFace);
    put("PostTels", s.PostTels);
    put("MailForsend", s.MailForsend);
    put("Orgname", s.Orgname);
    put("OrgAdress", s.OrgAdress);
    put("OrgInn", s.OrgInn);
    put("OrgKpp", s.OrgKpp);
    put("OrgContactFace", s.OrgContactFace);
    put("OrgTels", s.OrgTels);
    put("OrgMail", s.OrgMail);
    put("IsImportOnStart", number(s.IsImportOnStart));
    put("ConnectPasswordWWW", s.ConnectPasswordWWW);
    put("ConnectUserNameWWW", s.ConnectUserNameWWW);
    put("ConnectHostWWW", s.ConnectHostWWW);
    put("ConnectPassive", number(s.ConnectPassive ? 1 : 0));
    put("ConnectPortWWW", number(s.ConnectPortWWW));
    put("ProxyHost", s.ProxyHost);
    put("ProxyUserName", s.ProxyUserName);
    put("ProxyPassword", s.ProxyPassword);
    put("ProxyPort", number(s.ProxyPort));
    put("ProxyType", number(ProxyTypeOf(s)));
    ini.save(path);
}
