#include "exchange/TcsExchange.h"

#include "common/Clock.h"
#include "common/UserPrompts.h"
#include "exchange/ArchiveExtractor.h"
#include "exchange/PictureNames.h"
#include "exchange/ProgramReplacement.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

using namespace Qt::Literals::StringLiterals;

const QString TcsExchange::PriceArchiveFileName = QStringLiteral("ExportToCatalog.zip");
const QString TcsExchange::PicturesListFileName = QStringLiteral("pictures.txt.gz");
const QString TcsExchange::NewProgramFileName = QStringLiteral("Tavrin.exe");
const QString TcsExchange::PicturesServerFolder =
    QStringLiteral("components/com_virtuemart/shop_image/product/");

TcsExchange::TcsExchange(UserPrompts &prompts, const Clock &clock, EventPump *pump)
    : m_prompts(prompts), m_clock(clock), m_host(QStringLiteral(FERROW_DEFAULT_HOST))
{
    m_http.setEventPump(pump);
    m_http.setProgressHandler([this](qint64 received, qint64 total) {
        if (OncsProgress)
            OncsProgress(received, total);
    });
}

TcsExchange::~TcsExchange()
{
    try {
        m_http.disconnect();
    } catch (...) {
    }
}

QString TcsExchange::ProgramFilePath() const
{
    return m_programFilePath.isEmpty() ? QCoreApplication::applicationFilePath()
                                       : m_programFilePath;
}

void TcsExchange::ApplyExchangeSettings(const CatalogSettings &settings)
{
    // Changing folders or proxy between two transfers of one operation would mix two setups.
    if (m_running)
        m_pendingSettings = settings;
    else
        applySettings(settings);
}

void TcsExchange::applySettings(const CatalogSettings &s)
{
    m_userName = s.ConnectUserNameWWW;
    m_password = s.ConnectPasswordWWW;
    m_host = s.ConnectHostWWW;
    if (s.ConnectPortWWW > 0)
        m_port = s.ConnectPortWWW;
    m_passive = s.ConnectPassive;
    m_useSocks = s.UseSocks;
    m_pathToBase = s.WorkFolder;
    m_pathToPictures = s.PathPicture;
    m_pathToTmpPictures = s.TempPictureFolder;

    if (!s.ProxyHost.trimmed().isEmpty()) {
        m_httpProxy.host = s.ProxyHost;
        m_httpProxy.userName = s.ProxyUserName;
        m_httpProxy.password = s.ProxyPassword;
        m_httpProxy.port = s.ProxyPort;
    } else {
        m_httpProxy = ProxyConfig{};
    }

    if (s.UseSocks) {
        if (!m_socks)
            m_socks = std::make_unique<TcsSocksHandler>();
        m_socks->UserName = s.ProxyUserName;
        m_socks->Password = s.ProxyPassword;
        m_socks->Port = quint16(s.ProxyPort);
        m_socks->Host = s.ProxyHost;
        m_socks->Version = 5;
        m_socks->UserPassAuthentication = !s.ProxyUserName.isEmpty();
    } else {
        m_socks.reset();
    }
    updateClientProxy();
}

// With SOCKS chosen the settings' one proxy address is the SOCKS server, and requests go
// through it alone: an HTTP proxy at the same address would be a SOCKS server asked to
// speak HTTP.
void TcsExchange::updateClientProxy()
{
    ProxyConfig proxy;
    if (m_socks && !m_socks->Host.trimmed().isEmpty()) {
        proxy.kind = ProxyConfig::Kind::Socks5;
        proxy.host = m_socks->Host;
        proxy.port = m_socks->Port;
        proxy.userName = m_socks->UserName;
        proxy.password = m_socks->Password;
        proxy.socksUserPassAuth = m_socks->UserPassAuthentication;
    } else if (!m_socks) {
        proxy = m_httpProxy;
    }
    m_http.setProxy(proxy);
}

void TcsExchange::report(const QString &msg)
{
    if (OncsMessage)
        OncsMessage(msg);
}

void TcsExchange::showStopButton(bool visible)
{
    if (OncsStopButton)
        OncsStopButton(visible);
}

void TcsExchange::Stop()
{
    m_busy = false;
    report(QString());
}

bool TcsExchange::runOperation(bool stopButton, const std::function<bool()> &body)
{
    if (m_running)
        return false;
    m_running = true;
    m_busy = true;
    auto finish = [&] {
        m_http.disconnect();
        if (stopButton)
            showStopButton(false);
        m_busy = false;
        m_running = false;
        if (m_pendingSettings) {
            applySettings(*m_pendingSettings);
            m_pendingSettings.reset();
        }
        report(QString());
    };
    bool result = false;
    try {
        result = body();
    } catch (...) {
        try {
            finish();
        } catch (...) {
        }
        throw;
    }
    finish();
    return result;
}

bool TcsExchange::download(const QString &url, const QString &filePath)
{
    return m_http.get(url, filePath);
}

QString TcsExchange::withSeparator(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder;
    return folder + u'/';
}

bool TcsExchange::GetNewPrice()
{
    return runOperation(false, [this] {
        const QString folder = withSeparator(m_pathToBase);
        const QString archive = folder + PriceArchiveFileName;
        if (QFile::exists(archive))
            QFile::remove(archive);
        const QString url = m_host + u"/tavrin/"_s + PriceArchiveFileName;
        report(u"Загрузка прайса\rЗагрузка "_s + url);
        download(url, archive);
        report(u"Выход"_s);
        m_http.disconnect();
        if (!QFile::exists(archive))
            return false;

        const QString price = QStringLiteral("ExportPrice.csv");
        const QString classes = QStringLiteral("ExportClass.csv");
        const QString catalog = QStringLiteral("ExportCatalog.csv");
        for (const QString &name : {price, catalog, classes})
            if (QFile::exists(folder + name))
                QFile::remove(folder + name);
        try {
            ArchiveExtractor::extractZipEntries(archive, folder, QStringLiteral("Export*.csv"),
                                                {price, classes, catalog});
        } catch (const EArchiveError &) {
            // A damaged archive is a failed update: nothing of it was written.
            return false;
        }
        const bool result = QFile::exists(folder + classes) && QFile::exists(folder + price);
        ProgramReplacement::replace(folder + NewProgramFileName, ProgramFilePath(), m_clock);
        return result;
    });
}
