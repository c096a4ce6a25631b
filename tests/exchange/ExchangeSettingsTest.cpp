#include "ExchangeFixture.h"

using namespace Qt::Literals::StringLiterals;

namespace {

using ExchangeSettingsTest = ExchangeFixture;

TEST_F(ExchangeSettingsTest, CopiesTheConnectionAndKeepsThePortWhenNotAboveZero)
{
    settings.ConnectUserNameWWW = QStringLiteral("shop");
    settings.ConnectPasswordWWW = QStringLiteral("secret");
    settings.ConnectPassive = true;
    settings.ConnectPortWWW = 8081;
    exchange->ApplyExchangeSettings(settings);
    EXPECT_EQ(exchange->UserName(), QStringLiteral("shop"));
    EXPECT_EQ(exchange->Password(), QStringLiteral("secret"));
    EXPECT_TRUE(exchange->Passive());
    EXPECT_EQ(exchange->Host(), server->url());
    EXPECT_EQ(exchange->PathToBase(), work.path());
    EXPECT_EQ(exchange->PathToTmpPictures(), settings.TempPictureFolder);
    EXPECT_EQ(exchange->PathToPictures(), settings.PathPicture);
    EXPECT_EQ(exchange->Port(), 8081);
    for (int port : {0, -5}) {
        settings.ConnectPortWWW = port;
        exchange->ApplyExchangeSettings(settings);
        EXPECT_EQ(exchange->Port(), 8081) << port;
    }
}

TEST_F(ExchangeSettingsTest, ABlankProxyHostMeansNoProxy)
{
    settings.ProxyHost = QStringLiteral(" proxy.local ");
    settings.ProxyPort = 3128;
    settings.ProxyUserName = QStringLiteral("u");
    settings.ProxyPassword = QStringLiteral("p");
    exchange->ApplyExchangeSettings(settings);
    EXPECT_EQ(exchange->HttpProxy().host, QStringLiteral(" proxy.local "));
    EXPECT_EQ(exchange->HttpProxy().port, 3128);
    EXPECT_EQ(exchange->HttpProxy().userName, QStringLiteral("u"));
    EXPECT_EQ(exchange->HttpProxy().password, QStringLiteral("p"));

    settings.ProxyHost = QStringLiteral("   ");
    exchange->ApplyExchangeSettings(settings);
    EXPECT_TRUE(exchange->HttpProxy().host.isEmpty());
    EXPECT_TRUE(exchange->HttpProxy().userName.isEmpty());
    EXPECT_TRUE(exchange->HttpProxy().password.isEmpty());
    EXPECT_EQ(exchange->HttpProxy().port, 0);
}

TEST_F(ExchangeSettingsTest, TheSocksHandlerIsReusedWhileOnAndRemovedWhenOff)
{
    settings.UseSocks = true;
    settings.ProxyHost = QStringLiteral("127.0.0.1");
    settings.ProxyPort = 1080;
    settings.ProxyUserName = QStringLiteral("u");
    settings.ProxyPassword = QStringLiteral("p");
    exchange->ApplyExchangeSettings(settings);
    const TcsSocksHandler *first = exchange->SocksHandler();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Version, 5);
    EXPECT_TRUE(first->UserPassAuthentication);
    EXPECT_EQ(first->Port, 1080);

    settings.ProxyUserName.clear();
    exchange->ApplyExchangeSettings(settings);
    EXPECT_EQ(exchange->SocksHandler(), first);
    EXPECT_FALSE(first->UserPassAuthentication);

    settings.UseSocks = false;
    exchange->ApplyExchangeSettings(settings);
    EXPECT_EQ(exchange->SocksHandler(), nullptr);
    EXPECT_FALSE(exchange->UseSocks());
}

// The request paths are appended to the host as it stands.
TEST_F(ExchangeSettingsTest, AHostEndingInASlashGivesADoubleSlash)
{
    settings.ConnectHostWWW = server->url() + u'/';
    exchange->ApplyExchangeSettings(settings);
    exchange->GetNewPrice();
    ASSERT_EQ(server->targets(), QStringList{QStringLiteral("//tavrin/ExportToCatalog.zip")});
    EXPECT_EQ(messages.value(0), QStringLiteral("Загрузка прайса\rЗагрузка ") + server->url() +
                                     QStringLiteral("//tavrin/ExportToCatalog.zip"));
}

// A first run writes the server's bare host name into the settings; it must work as well.
TEST_F(ExchangeSettingsTest, AHostWithoutSchemeIsReachedOverHttp)
{
    serve(picturePath(QStringLiteral("P1.jpg")), "jpeg");
    settings.ConnectHostWWW = QStringLiteral("127.0.0.1:%1").arg(server->port());
    exchange->ApplyExchangeSettings(settings);
    exchange->GetOnePicture(QStringLiteral("P1.jpg"));
    EXPECT_EQ(QFile(tmpPicture(QStringLiteral("P1.jpg"))).size(), 4);
}

TEST_F(ExchangeSettingsTest, SettingsGivenDuringAnOperationTakeEffectWhenItEnds)
{
    CatalogSettings later = settings;
    later.ConnectHostWWW = QStringLiteral("http://127.0.0.1:1");
    exchange->OncsMessage = [&](const QString &msg) {
        if (!msg.isEmpty() && exchange->Running())
            exchange->ApplyExchangeSettings(later);
    };
    exchange->GetNewPrice();
    EXPECT_EQ(server->targets(), QStringList{QStringLiteral("/tavrin/ExportToCatalog.zip")});
    EXPECT_EQ(exchange->Host(), later.ConnectHostWWW);
}

// Another command started while one runs (Stop has re-enabled the buttons) does nothing.
TEST_F(ExchangeSettingsTest, NoOperationStartsWhileAnotherRuns)
{
    std::vector<bool> nested;
    exchange->OncsMessage = [&](const QString &msg) {
        if (msg == u"Выход"_s) {
            exchange->Stop();
            nested = {exchange->GetNewPrice(), exchange->GetNewPictures(),
                      exchange->GetOnePicture(QStringLiteral("P1.jpg"))};
        }
    };
    exchange->GetNewPrice();
    EXPECT_EQ(nested, (std::vector<bool>{false, false, false}));
    EXPECT_EQ(server->targets(), QStringList{QStringLiteral("/tavrin/ExportToCatalog.zip")});
    EXPECT_TRUE(prompts.shown.empty());
}

// What a proxy case sets up, and whether the picture must arrive through it.
struct ProxyCase {
    const char *name;
    bool socks;
    const char *proxyUser;    // the proxy's own account; empty: no authentication
    const char *settingsUser; // what the settings give
    const char *settingsPassword;
    bool arrives;
};

class ProxyTest : public ExchangeFixture, public ::testing::WithParamInterface<ProxyCase> {};

TEST_P(ProxyTest, ThePictureComesThroughTheProxyOrNotAtAll)
{
    const ProxyCase &c = GetParam();
    serve(picturePath(QStringLiteral("P1.jpg")), "jpeg bytes");
    std::unique_ptr<TinyProxy> tiny;
    std::unique_ptr<MicroSocks> socks;
    const QString user = QString::fromLatin1(c.proxyUser);
    if (c.socks) {
        socks = std::make_unique<MicroSocks>(user, user.isEmpty() ? QString() : u"pass"_s);
        settings.ProxyPort = socks->port();
    } else {
        tiny =
            std::make_unique<TinyProxy>(work.path(), user, user.isEmpty() ? QString() : u"pass"_s);
        settings.ProxyPort = tiny->port();
    }
    settings.UseSocks = c.socks;
    settings.ProxyHost = QStringLiteral("127.0.0.1");
    settings.ProxyUserName = QString::fromLatin1(c.settingsUser);
    settings.ProxyPassword = QString::fromLatin1(c.settingsPassword);
    exchange->ApplyExchangeSettings(settings);

    EXPECT_TRUE(exchange->GetOnePicture(QStringLiteral("P1.jpg")));

    const auto requests = server->requests();
    if (c.arrives) {
        EXPECT_EQ(QFile(tmpPicture(QStringLiteral("P1.jpg"))).size(), 10);
        EXPECT_TRUE(prompts.shown.empty());
        ASSERT_EQ(requests.size(), 1u);
        // A direct connection would come from 127.0.0.1; the proxies go out from another.
        EXPECT_EQ(requests[0].peer, proxyOutgoingAddress);
        if (tiny) {
            EXPECT_TRUE(requests[0].via.contains(u"tinyproxy"_s)) << requests[0].via.toStdString();
            EXPECT_TRUE(
                tiny->log().contains(u"/components/com_virtuemart/shop_image/product/P1.jpg"_s));
        }
    } else {
        EXPECT_FALSE(QFile::exists(tmpPicture(QStringLiteral("P1.jpg"))));
        EXPECT_TRUE(requests.empty());
        EXPECT_EQ(prompts.texts(QStringLiteral("message")),
                  QStringList{QStringLiteral("На сервере нет изображения этого товара")});
    }
    EXPECT_FALSE(exchange->Busy());
    EXPECT_EQ(messages.last(), QString());
}

INSTANTIATE_TEST_SUITE_P(
    Proxies, ProxyTest,
    ::testing::Values(ProxyCase{"HttpOpen", false, "", "", "", true},
                      ProxyCase{"HttpBasicAuth", false, "user", "user", "pass", true},
                      ProxyCase{"HttpWrongPassword", false, "user", "user", "wrong", false},
                      ProxyCase{"SocksOpen", true, "", "", "", true},
                      ProxyCase{"SocksUserPassword", true, "user", "user", "pass", true},
                      ProxyCase{"SocksWrongPassword", true, "user", "user", "wrong", false}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
