#include "exchange/HttpClient.h"
#include "ExchangeFixture.h"

#include <QElapsedTimer>

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
        const int pumpedBefore = pump.calls;
        EXPECT_FALSE(client.get(c.url, target));
        if (c.waits) {
            EXPECT_GE(pump.calls - pumpedBefore, 2);
        }
        EXPECT_LT(timer.elapsed(), 10000); // the stall time-out ended it, not the server
        EXPECT_FALSE(QFile::exists(target));
        EXPECT_FALSE(client.lastError().isEmpty());
    }
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

} // namespace
