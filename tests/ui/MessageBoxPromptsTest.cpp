#include "ui/MessageBoxPrompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct SeenBox {
    QString caption;
    QString text;
    QStringList buttons;
};

// Runs a prompt; the box it opens is read and answered with the button of the given text.
SeenBox answer(const std::function<void()> &prompt, const QString &press)
{
    SeenBox seen;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.caption = box->windowTitle();
        seen.text = box->text();
        for (QAbstractButton *b : box->buttons()) {
            seen.buttons << b->text();
            if (b->text() == press)
                b->click();
        }
    });
    prompt();
    return seen;
}

} // namespace

TEST(MessageBoxPrompts, CaptionsAndButtonsOfEachKind)
{
    MessageBoxPrompts prompts;
    const QString ok = QStringLiteral("OK");
    struct Case {
        const char *kind;
        std::function<void(const QString &)> show;
        QString caption;
        QStringList buttons;
    };
    const std::vector<Case> cases = {
        {"error", [&](const QString &t) { prompts.error(t); }, QStringLiteral("Ошибка"), {ok}},
        {"info", [&](const QString &t) { prompts.info(t); }, QStringLiteral("Информация"), {ok}},
        {"plain",
         [&](const QString &t) { prompts.message(t); },
         QStringLiteral("ТД \"Ferrow\" Электронный каталог"),
         {ok}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.kind);
        const SeenBox seen = answer([&] { c.show(QStringLiteral("Текст")); }, ok);
        EXPECT_EQ(seen.caption, c.caption);
        EXPECT_EQ(seen.text, QStringLiteral("Текст"));
        EXPECT_EQ(seen.buttons, c.buttons);
    }

    for (const bool yes : {true, false}) {
        bool result = !yes;
        const SeenBox seen = answer([&] { result = prompts.confirm(QStringLiteral("Сохранить?")); },
                                    yes ? QStringLiteral("&Yes") : QStringLiteral("&No"));
        EXPECT_EQ(seen.caption, QStringLiteral("Подтверждение"));
        EXPECT_EQ(seen.buttons.size(), 2);
        EXPECT_TRUE(seen.buttons.contains(QStringLiteral("&Yes")));
        EXPECT_TRUE(seen.buttons.contains(QStringLiteral("&No")));
        EXPECT_EQ(result, yes);
    }
}
