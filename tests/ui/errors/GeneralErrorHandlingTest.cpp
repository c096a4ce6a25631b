#include "ui/FerrowApplication.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class GeneralErrorHandling : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = FerrowApplication::setErrorReporter([this](const QString &t) { shown << t; });
    }
    void TearDown() override { FerrowApplication::setErrorReporter(m_previous); }

    QStringList shown;

private:
    FerrowApplication::ErrorReporter m_previous;
};

} // namespace

TEST_F(GeneralErrorHandling, FailingClickIsShownAndTheWindowGoesOn)
{
    QPushButton button(QStringLiteral("Команда"));
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, &button, [&] {
        ++clicks;
        throw std::runtime_error("Сбой команды");
    });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(shown, QStringList({QStringLiteral("Сбой команды"), QStringLiteral("Сбой команды")}));
    EXPECT_TRUE(button.isVisible());
}

TEST_F(GeneralErrorHandling, FailureInsideTheMessageLoopDoesNotEndIt)
{
    QObject context;
    QTimer::singleShot(0, &context, [] { throw 42; });
    bool later = false;
    QTimer::singleShot(20, &context, [&] {
        later = true;
        QCoreApplication::quit();
    });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_TRUE(later);
    EXPECT_EQ(shown, QStringList({QStringLiteral("Неизвестная ошибка")}));
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    FerrowApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
