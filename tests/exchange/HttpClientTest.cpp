#include "exchange/HttpClient.h"
#include "ExchangeFixture.h"

#include <QElapsedTimer>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

class HttpClientTest : public ::testing::Test {
protected:
    TempDir served;
    TempDir local;
    ScriptedPump pump;
    std::unique_ptr<TestHttpServer> server;
    HttpClient client;

    void SetUp() override
    {
        served.write(QStringLiteral("big.bin"), QByteArray(300000, 'x'));
        server = std::make_unique<TestHttpServer>(served.path());
        client.setEventPump(&pump);
        client.setTimeouts(3000, 1);
    }
};

TEST_F(HttpClientTest, GetWritesTheBodyReportsBytesAndKeepsTheWindowPumped)
{
    std::vector<std::pair<qint64, qint64>> progress;
    client.setProgressHandler(
        [&](qint64 received, qint64 total) { progress.emplace_back(received, total); });
    const QString target = local.file(QStringLiteral("big.bin"));
    ASSERT_TRUE(client.get(server->url() + QStringLiteral("/big.bin"), target));

    EXPECT_EQ(local.read(QStringLiteral("big.bin")), QByteArray(300000, 'x'));
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), std::make_pair(qint64(0), qint64(-1)));
    EXPECT_EQ(progress.back(), std::make_pair(qint64(300000), qint64(300000)));
    for (size_t i = 1; i < progress.size(); ++i)
        EXPECT_LE(progress[i - 1].first, progress[i].first);
    EXPECT_GT(pump.calls, 0);
    EXPECT_TRUE(client.connected());
    client.disconnect();
    EXPECT_FALSE(client.connected());
}

// Every way a GET can fail leaves no file, also where an older file of that name was.
TEST_F(HttpClientTest, FailedOrEmptyTransfersLeaveNoFile)
{
    const int closedPort = freeLoopbackPort();
    const struct {
        const char *what;
        QString url;
        bool waits; // the window must be kept alive meanwhile
    } cases[] = {
        {"not found", server->url() + QStringLiteral("/missing.bin"), false},
        {"empty body", server->url() + QStringLiteral("/empty"), false},
        {"stalls after a few bytes", server->url() + QStringLiteral("/stall"), true},
        {"accepts and never answers", server->url() + QStringLiteral("/silent"), true},
        {"nobody listening", QStringLiteral("http://127.0.0.1:%1/x").arg(closedPort), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString target = local.write(QStringLiteral("target.bin"), "older content");
        QElapsedTimer timer;
        timer.start();
        qint64 last = 0, longestGap = 0;
        pump.onEvents = [&] {
            longestGap = qMax(longestGap, timer.elapsed() - last);
            last = timer.elapsed();
        };
        EXPECT_FALSE(client.get(c.url, target));
        if (c.waits) {
            // The window repaints and takes clicks while nothing arrives, not once a second.
            EXPECT_LT(longestGap, 500);
        }
        EXPECT_LT(timer.elapsed(), 10000); // the stall time-out ended it, not the server
        EXPECT_FALSE(QFile::exists(target));
        EXPECT_FALSE(client.lastError().isEmpty());
    }
}

// A listener whose accept queue is full drops further connection attempts, so a connect
// waits until the connect time-out gives up on it.
TEST_F(HttpClientTest, AServerThatNeverTakesTheConnectionHitsTheConnectTimeout)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr *>(&addr), sizeof addr), 0);
    ASSERT_EQ(::listen(listener, 0), 0);
    socklen_t len = sizeof addr;
    ::getsockname(listener, reinterpret_cast<sockaddr *>(&addr), &len);
    std::vector<int> fillers;
    for (int i = 0; i < 4; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        ::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
        fillers.push_back(fd);
    }
    client.setTimeouts(1000, 60);
    const QString target = local.file(QStringLiteral("x.bin"));
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(
        client.get(QStringLiteral("http://127.0.0.1:%1/x").arg(ntohs(addr.sin_port)), target));
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_GE(timer.elapsed(), 900); // it was the time-out that ended it
    for (int fd : fillers)
        ::close(fd);
    ::close(listener);
}

TEST_F(HttpClientTest, AFileThatCannotBeCreatedIsAnErrorNotAFailedGet)
{
    EXPECT_THROW(client.get(server->url() + QStringLiteral("/big.bin"),
                            local.file(QStringLiteral("no/such/folder/big.bin"))),
                 std::runtime_error);
    EXPECT_TRUE(server->requests().empty());
}

TEST_F(HttpClientTest, AbortFromTheWindowEndsTheTransferAsFailed)
{
    pump.onEvents = [&] { client.abort(); };
    const QString target = local.file(QStringLiteral("big.bin"));
    EXPECT_FALSE(client.get(server->url() + QStringLiteral("/stall"), target));
    EXPECT_FALSE(QFile::exists(target));
}

// An error raised by the window while it is pumped reaches the caller, not libcurl's frames.
TEST_F(HttpClientTest, AnErrorRaisedWhileThePumpRunsEndsTheTransferAndReachesTheCaller)
{
    pump.onEvents = [] { throw std::runtime_error("raised by a window handler"); };
    const QString target = local.file(QStringLiteral("big.bin"));
    EXPECT_THROW(client.get(server->url() + QStringLiteral("/stall"), target), std::runtime_error);
    EXPECT_FALSE(QFile::exists(target));
    pump.onEvents = nullptr;
    EXPECT_TRUE(client.get(server->url() + QStringLiteral("/big.bin"), target));
}

} // namespace
