#pragma once

#include "LoopbackPeers.h"
#include "common/Clock.h"
#include "common/EventPump.h"
#include "exchange/TcsExchange.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// A pump that runs what the window would do while a transfer waits.
class ScriptedPump : public EventPump {
public:
    int calls = 0;
    std::function<void()> onEvents;
    void processEvents() override
    {
        ++calls;
        if (onEvents)
            onEvents();
    }
};

// An exchange whose working folders lie in a temporary folder, talking to a test server whose
// files lie in another: `served` holds the server's tree, `work` the working folder with
// "TempPicture/" and "pictures/".
class ExchangeFixture : public ::testing::Test {
protected:
    TempDir served;
    TempDir work;
    ScriptedPrompts prompts;
    FixedClock clock{QDateTime(QDate(2027, 2, 1), QTime(10, 0))};
    ScriptedPump pump;
    std::unique_ptr<TestHttpServer> server;
    std::unique_ptr<TcsExchange> exchange;
    CatalogSettings settings;
    // What OncsMessage was called with, and whether Busy was set at the time.
    QStringList messages;
    std::vector<bool> busyAtMessage;
    std::vector<bool> stopButton;

    void SetUp() override
    {
        server = std::make_unique<TestHttpServer>(served.path());
        exchange = std::make_unique<TcsExchange>(prompts, clock, &pump);
        exchange->setTimeouts(5000, 5);
        exchange->OncsMessage = [this](const QString &msg) {
            messages << msg;
            busyAtMessage.push_back(exchange->Busy());
        };
        exchange->OncsStopButton = [this](bool visible) { stopButton.push_back(visible); };
        settings.WorkFolder = work.path();
        settings.TempPictureFolder = work.file(QStringLiteral("TempPicture/"));
        settings.PathPicture = work.file(QStringLiteral("pictures/"));
        settings.ConnectHostWWW = server->url();
        QDir().mkpath(settings.TempPictureFolder);
        QDir().mkpath(settings.PathPicture);
        exchange->ApplyExchangeSettings(settings);
    }

    void serve(const QString &path, const QByteArray &bytes) { served.write(path, bytes); }
    static QString picturePath(const QString &name)
    {
        return QStringLiteral("components/com_virtuemart/shop_image/product/") + name;
    }
    QString tmpPicture(const QString &name) const { return settings.TempPictureFolder + name; }
    bool inWork(const QString &name) const { return QFile::exists(work.file(name)); }
};
