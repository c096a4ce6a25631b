#pragma once

#include <QElapsedTimer>
#include <QString>
#include <exception>
#include <functional>

class EventPump;

// The proxy the client goes through. An empty host means a direct connection.
struct ProxyConfig {
    enum class Kind { Http, Socks5 };
    Kind kind = Kind::Http;
    QString host;
    int port = 0;
    QString userName;
    QString password;
    // SOCKS 5 only: offer user-name-and-password authentication.
    bool socksUserPassAuth = false;
};

// Plain HTTP GET of absolute URLs into local files, on the caller's thread. While a transfer
// runs, the event pump is called from the transfer's progress callback so the window stays
// responsive; a stalled or unreachable server ends the transfer after the time-outs.
class HttpClient {
public:
    // received bytes, total bytes (-1 while unknown)
    using ProgressHandler = std::function<void(qint64 received, qint64 total)>;

    HttpClient();
    ~HttpClient();
    HttpClient(const HttpClient &) = delete;
    HttpClient &operator=(const HttpClient &) = delete;

    void setProxy(const ProxyConfig &proxy) { m_proxy = proxy; }
    const ProxyConfig &proxy() const { return m_proxy; }
    void setEventPump(EventPump *pump) { m_pump = pump; }
    void setProgressHandler(ProgressHandler handler) { m_onProgress = std::move(handler); }
    // Giving up on a server that does not answer the connection, and on one that sends
    // nothing (fewer than one byte per second) for stallSeconds.
    void setTimeouts(int connectMilliseconds, int stallSeconds);
    int connectTimeoutMs() const { return m_connectTimeoutMs; }
    int stallTimeoutSeconds() const { return m_stallSeconds; }

    // Creates (or truncates) the file, GETs the URL into it and closes it. A failed request,
    // a response that is not a success or an empty body leave no file; true when the file
    // holds the body. Throws when the file cannot be created or written.
    bool get(const QString &url, const QString &filePath);
    // Why the last get() returned false.
    QString lastError() const { return m_lastError; }

    // Whether a connection kept from the last transfer may still be open.
    bool connected() const { return m_curl != nullptr && m_reachedServer; }
    void disconnect();
    // Ends the running transfer as a failed one (for a window that closes during it).
    void abort() { m_abortRequested = true; }

private:
    static size_t writeCallback(char *data, size_t size, size_t count, void *self);
    static int progressCallback(void *self, long long total, long long now, long long, long long);
    void configure();
    // Runs the transfer to its end; the libcurl result code.
    int perform();

    void *m_curl = nullptr;
    void *m_multi = nullptr; // drives the transfer and keeps its connection between transfers
    ProxyConfig m_proxy;
    EventPump *m_pump = nullptr;
    ProgressHandler m_onProgress;
    int m_connectTimeoutMs = 30000;
    int m_stallSeconds = 60;
    bool m_abortRequested = false;
    bool m_reachedServer = false;
    QString m_lastError;

    // the running transfer
    class QFile *m_file = nullptr;
    bool m_writeFailed = false;
    std::exception_ptr m_callbackError;
    qint64 m_reportedNow = -1;
    qint64 m_reportedTotal = -1;
    QElapsedTimer m_sincePump;
};
