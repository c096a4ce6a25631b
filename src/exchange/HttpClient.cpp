#include "exchange/HttpClient.h"

#include "common/EventPump.h"

#include <QFile>
#include <curl/curl.h>
#include <mutex>
#include <stdexcept>
#include <utility>

namespace {

CURL *handle(void *p)
{
    return static_cast<CURL *>(p);
}

CURLM *multiHandle(void *p)
{
    return static_cast<CURLM *>(p);
}

// How long the transfer loop waits for the network before libcurl runs the progress callback
// (and so the window's events) again; libcurl alone would call it about once a second when
// nothing arrives.
constexpr int pollMs = 40;

void initCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Pumping the window between every few kilobytes of a fast transfer costs more than it gives.
constexpr qint64 pumpIntervalMs = 20;

} // namespace

HttpClient::HttpClient()
{
    initCurlOnce();
}

HttpClient::~HttpClient()
{
    disconnect();
}

void HttpClient::setTimeouts(int connectMilliseconds, int stallSeconds)
{
    m_connectTimeoutMs = connectMilliseconds;
    m_stallSeconds = stallSeconds;
}

void HttpClient::disconnect()
{
    if (m_curl) {
        curl_easy_cleanup(handle(m_curl));
        m_curl = nullptr;
    }
    if (m_multi) {
        curl_multi_cleanup(multiHandle(m_multi)); // closes the connections it kept
        m_multi = nullptr;
    }
}

size_t HttpClient::writeCallback(char *data, size_t size, size_t count, void *self)
{
    auto *client = static_cast<HttpClient *>(self);
    const qint64 bytes = qint64(size * count);
    if (client->m_file->write(data, bytes) != bytes) {
        client->m_writeFailed = true;
        return 0; // makes the transfer fail with a write error
    }
    return size_t(bytes);
}

int HttpClient::progressCallback(void *self, long long total, long long now, long long, long long)
{
    auto *client = static_cast<HttpClient *>(self);
    // An exception must not cross libcurl's C frames: it ends the transfer and is rethrown
    // once libcurl has returned.
    try {
        if (!client->m_sincePump.isValid() || client->m_sincePump.elapsed() >= pumpIntervalMs) {
            client->m_sincePump.restart();
            const qint64 knownTotal = total > 0 ? total : -1;
            if (client->m_onProgress &&
                (now != client->m_reportedNow || knownTotal != client->m_reportedTotal)) {
                client->m_reportedNow = now;
                client->m_reportedTotal = knownTotal;
                client->m_onProgress(now, knownTotal);
            }
            if (client->m_pump)
                client->m_pump->processEvents();
        }
    } catch (...) {
        client->m_callbackError = std::current_exception();
        return 1;
    }
    return client->m_abortRequested ? 1 : 0;
}

void HttpClient::configure()
{
    CURL *c = handle(m_curl);
    curl_easy_reset(c);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_DEFAULT_PROTOCOL, "http");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &HttpClient::writeCallback);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &HttpClient::progressCallback);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, long(m_connectTimeoutMs));
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, long(m_stallSeconds));

    const QByteArray host = m_proxy.host.trimmed().toUtf8();
    if (host.isEmpty()) {
        // An empty proxy also keeps libcurl from taking one from the environment.
        curl_easy_setopt(c, CURLOPT_PROXY, "");
        return;
    }
    curl_easy_setopt(c, CURLOPT_PROXY, host.constData());
    curl_easy_setopt(c, CURLOPT_NOPROXY, ""); // the configured proxy serves every host
    curl_easy_setopt(c, CURLOPT_PROXYPORT, long(m_proxy.port));
    const QByteArray user = m_proxy.userName.toUtf8();
    const QByteArray password = m_proxy.password.toUtf8();
    if (m_proxy.kind == ProxyConfig::Kind::Socks5) {
        // The server's name is resolved by the SOCKS server, as a SOCKS 5 client should.
        curl_easy_setopt(c, CURLOPT_PROXYTYPE, long(CURLPROXY_SOCKS5_HOSTNAME));
        curl_easy_setopt(c, CURLOPT_SOCKS5_AUTH,
                         long(m_proxy.socksUserPassAuth ? CURLAUTH_BASIC : CURLAUTH_NONE));
        if (m_proxy.socksUserPassAuth) {
            curl_easy_setopt(c, CURLOPT_PROXYUSERNAME, user.constData());
            curl_easy_setopt(c, CURLOPT_PROXYPASSWORD, password.constData());
        }
    } else {
        curl_easy_setopt(c, CURLOPT_PROXYTYPE, long(CURLPROXY_HTTP));
        if (!user.isEmpty() || !password.isEmpty()) {
            curl_easy_setopt(c, CURLOPT_PROXYAUTH, long(CURLAUTH_BASIC));
            curl_easy_setopt(c, CURLOPT_PROXYUSERNAME, user.constData());
            curl_easy_setopt(c, CURLOPT_PROXYPASSWORD, password.constData());
        }
    }
}

int HttpClient::perform()
{
    CURLM *multi = multiHandle(m_multi);
    curl_multi_add_handle(multi, handle(m_curl));
    int running = 1;
    CURLMcode code = CURLM_OK;
    while (code == CURLM_OK) {
        code = curl_multi_perform(multi, &running);
        if (code != CURLM_OK || running == 0)
            break;
        code = curl_multi_poll(multi, nullptr, 0, pollMs, nullptr);
    }
    CURLcode result = code == CURLM_OK ? CURLE_OK : CURLE_FAILED_INIT;
    int left = 0;
    while (CURLMsg *msg = curl_multi_info_read(multi, &left))
        if (msg->msg == CURLMSG_DONE && msg->easy_handle == handle(m_curl))
            result = msg->data.result;
    curl_multi_remove_handle(multi, handle(m_curl));
    return result;
}

bool HttpClient::get(const QString &url, const QString &filePath)
{
    m_lastError.clear();
    m_abortRequested = false;
    QFile file(filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error(QStringLiteral("Cannot create the file %1: %2")
                                     .arg(filePath, file.errorString())
                                     .toStdString());

    if (!m_curl)
        m_curl = curl_easy_init();
    if (!m_multi)
        m_multi = curl_multi_init();
    if (!m_curl || !m_multi)
        throw std::runtime_error("Cannot start an HTTP transfer");
    configure();
    const QByteArray urlBytes = url.toUtf8();
    curl_easy_setopt(handle(m_curl), CURLOPT_URL, urlBytes.constData());
    char errorBuffer[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(handle(m_curl), CURLOPT_ERRORBUFFER, errorBuffer);

    m_file = &file;
    m_writeFailed = false;
    m_callbackError = nullptr;
    m_reportedNow = m_reportedTotal = -1;
    m_sincePump.invalidate();
    if (m_onProgress)
        m_onProgress(0, -1);
    const CURLcode result = CURLcode(perform());
    curl_easy_setopt(handle(m_curl), CURLOPT_ERRORBUFFER, nullptr);
    m_file = nullptr;

    long status = 0;
    curl_easy_getinfo(handle(m_curl), CURLINFO_RESPONSE_CODE, &status);
    m_reachedServer = status != 0;
    const qint64 size = file.size();
    file.close();
    if (m_onProgress && result == CURLE_OK)
        m_onProgress(size, size);

    if (m_callbackError) {
        file.remove();
        std::rethrow_exception(std::exchange(m_callbackError, nullptr));
    }
    if (m_writeFailed) {
        const QString why = file.errorString();
        file.remove();
        throw std::runtime_error(
            QStringLiteral("Cannot write the file %1: %2").arg(filePath, why).toStdString());
    }
    if (result != CURLE_OK)
        m_lastError = QString::fromUtf8(*errorBuffer ? errorBuffer : curl_easy_strerror(result));
    else if (status < 200 || status > 299)
        m_lastError = QStringLiteral("HTTP status %1").arg(status);
    else if (size == 0)
        m_lastError = QStringLiteral("empty response");
    if (!m_lastError.isEmpty()) {
        file.remove();
        return false;
    }
    return true;
}
