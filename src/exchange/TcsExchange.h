#pragma once

#include "common/CatalogSettings.h"
#include "exchange/HttpClient.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class Clock;
class EventPump;
class UserPrompts;

// The SOCKS 5 connection handler: created when SOCKS is switched on, kept while it stays on.
struct TcsSocksHandler {
    QString Host;
    quint16 Port = 0;
    QString UserName;
    QString Password;
    int Version = 5;
    bool UserPassAuthentication = false;
};

// All traffic with the supplier's web server: the price archive, the picture list and the
// pictures, fetched by plain HTTP GET on the caller's thread. Every step is reported through
// OncsMessage; the window turns that into its exchange panel.
class TcsExchange {
public:
    // A progress text ("\r" breaks it into lines); empty when an operation ends or is stopped.
    using TcsMessageEvent = std::function<void(const QString &Msg)>;
    // Bytes of the running transfer so far and its size (-1 while the size is unknown).
    using TcsProgressEvent = std::function<void(qint64 received, qint64 total)>;
    // Whether the window should show its stop button (only the picture loop can be stopped).
    using TcsStopButtonEvent = std::function<void(bool visible)>;

    // The fixed names of the files on the server and in the working folders.
    static const QString PriceArchiveFileName; // "ExportToCatalog.zip"
    static const QString PicturesListFileName; // "pictures.txt.gz"
    static const QString NewProgramFileName;   // "Tavrin.exe"
    static const QString PicturesServerFolder; // "components/com_virtuemart/shop_image/product/"

    TcsExchange(UserPrompts &prompts, const Clock &clock, EventPump *pump = nullptr);
    ~TcsExchange();
    TcsExchange(const TcsExchange &) = delete;
    TcsExchange &operator=(const TcsExchange &) = delete;

    // Copies the connection settings: credentials, host, port (only when above 0), passive
    // switch, folders, HTTP proxy (when the proxy host is not blank) and SOCKS 5. Settings
    // given while an operation runs take effect when it ends.
    void ApplyExchangeSettings(const CatalogSettings &settings);

    // Downloads the price archive into the working folder and unpacks its "Export*.csv"
    // entries; swaps in a waiting "Tavrin.exe". True when both "ExportPrice.csv" and
    // "ExportClass.csv" are now in the working folder. The caller then rebuilds the catalog.
    bool GetNewPrice();
    // Fetches the server's picture list and every listed picture found in neither local folder.
    bool GetNewPictures();
    // Fetches one picture afresh into the folder of downloaded pictures.
    bool GetOnePicture(const QString &pictureFileName);
    // The picture command of the product card: fetches the current product's picture unless
    // the price list is empty or past its end or the product has no id above 0. False when
    // nothing was requested; the caller refreshes the card either way.
    bool GetProductPicture(bool pastEnd, qint64 id, const QString &code);

    static QString ProductPictureName(const QString &code)
    {
        return code.trimmed() + QStringLiteral(".jpg");
    }

    // The stop button: no further picture is started; the running transfer completes.
    void Stop();
    // Interrupts the running transfer itself, as a failed one (for a window being closed).
    void Abort() { m_http.abort(); }

    // True while an operation runs and has not been stopped.
    bool Busy() const { return m_busy; }
    // True while an operation runs, stopped or not: no other may start until it ends (one that
    // is called then returns false at once and does nothing).
    bool Running() const { return m_running; }

    bool Passive() const { return m_passive; }
    void setPassive(bool v) { m_passive = v; }
    QString UserName() const { return m_userName; }
    void setUserName(const QString &v) { m_userName = v; }
    QString Password() const { return m_password; }
    void setPassword(const QString &v) { m_password = v; }
    QString Host() const { return m_host; }
    void setHost(const QString &v) { m_host = v; }
    int Port() const { return m_port; }
    void setPort(int v) { m_port = v; }
    // Whether the client may still hold a connection to the server.
    bool Connected() const { return m_http.connected(); }
    QString PathToBase() const { return m_pathToBase; }
    void setPathToBase(const QString &v) { m_pathToBase = v; }
    QString PathToPictures() const { return m_pathToPictures; }
    void setPathToPictures(const QString &v) { m_pathToPictures = v; }
    QString PathToTmpPictures() const { return m_pathToTmpPictures; }
    void setPathToTmpPictures(const QString &v) { m_pathToTmpPictures = v; }

    TcsMessageEvent OncsMessage;
    TcsProgressEvent OncsProgress;
    TcsStopButtonEvent OncsStopButton;

    // The HTTP proxy and SOCKS handler as the last settings left them.
    const ProxyConfig &HttpProxy() const { return m_httpProxy; }
    const TcsSocksHandler *SocksHandler() const { return m_socks.get(); }
    bool UseSocks() const { return m_useSocks; }

    // The running program's file, which a new program replaces (the application's file
    // unless set).
    void setProgramFilePath(const QString &path) { m_programFilePath = path; }
    QString ProgramFilePath() const;
    void setEventPump(EventPump *pump) { m_http.setEventPump(pump); }
    // Connect time-out and stall time-out (no byte for that many seconds) of every transfer.
    void setTimeouts(int connectMilliseconds, int stallSeconds)
    {
        m_http.setTimeouts(connectMilliseconds, stallSeconds);
    }

private:
    // Busy and Running for the length of body; at its end, also by an error, the connection
    // is closed, the flags cleared and the empty text reported.
    bool runOperation(bool stopButton, const std::function<bool()> &body);
    void report(const QString &msg);
    void showStopButton(bool visible);
    void applySettings(const CatalogSettings &settings);
    void updateClientProxy();
    bool download(const QString &url, const QString &filePath);
    QString pictureUrl(const QString &name) const;
    static QString withSeparator(const QString &folder);

    UserPrompts &m_prompts;
    const Clock &m_clock;
    HttpClient m_http;

    bool m_passive = false;
    QString m_userName;
    QString m_password;
    QString m_host;
    int m_port = 80;
    QString m_pathToBase;
    QString m_pathToPictures;
    QString m_pathToTmpPictures;
    QString m_programFilePath;

    ProxyConfig m_httpProxy;
    std::unique_ptr<TcsSocksHandler> m_socks;
    bool m_useSocks = false;
    bool m_busy = false;
    bool m_running = false;
    std::optional<CatalogSettings> m_pendingSettings;
};
