#include "browse/ProductCard.h"
#include "browse/BigImageView.h"

#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

struct Folders {
    TempDir dir;
    QString temp = dir.path() + QStringLiteral("TempPicture/");
    QString pictures = dir.path() + QStringLiteral("Pictures/");
    Folders()
    {
        dir.write(QStringLiteral("TempPicture/.keep"), {});
        dir.write(QStringLiteral("Pictures/.keep"), {});
    }
};

ProductCard::Row row(const QString &code, double maxDiscount = 0, bool isPhoto = true)
{
    return {code, 123.45, maxDiscount, isPhoto};
}

} // namespace

TEST(ProductCard, ShowsThePriceAfterTheEffectiveDiscount)
{
    struct Case {
        std::optional<double> box;
        double maxDiscount;
        double expected;
    };
    const Case cases[] = {
        {std::nullopt, 0, 123.45}, {5, 0, 117.28},     {5, 3, 119.75},
        {5, 0.01, 123.45},         {50, 0.01, 123.45},
    };
    Folders f;
    ProductCard card;
    for (const Case &c : cases) {
        card.refresh(row(QStringLiteral("1"), c.maxDiscount), c.box, f.temp, f.pictures, {});
        EXPECT_DOUBLE_EQ(card.discountedPrice(), c.expected) << c.maxDiscount;
    }
}

TEST(ProductCard, LooksUpTheTrimmedCodeInTheDownloadFolderFirst)
{
    Folders f;
    const QString bundled = f.dir.write(QStringLiteral("Pictures/12345.jpg"), "b");
    QStringList loaded;
    const auto loader = [&](const QString &path) {
        loaded << path;
        return true;
    };
    ProductCard card;
    card.refresh(row(QStringLiteral("12345 ")), std::nullopt, f.temp, f.pictures, loader);
    EXPECT_EQ(card.currentPictureFile(), bundled);
    EXPECT_TRUE(card.showPicture());
    EXPECT_TRUE(card.saveEnabled());
    EXPECT_TRUE(card.pictureClicked());

    const QString downloaded = f.dir.write(QStringLiteral("TempPicture/12345.jpg"), "d");
    card.refresh(row(QStringLiteral(" 12345")), std::nullopt, f.temp, f.pictures, loader);
    EXPECT_EQ(card.currentPictureFile(), downloaded);
    EXPECT_EQ(loaded, QStringList({bundled, downloaded}));
}

TEST(ProductCard, WithoutAPictureShowsTheNoPhotoImageAndKeepsTheLastFile)
{
    Folders f;
    const QString bundled = f.dir.write(QStringLiteral("Pictures/7.jpg"), "x");
    f.dir.write(QStringLiteral("Pictures/8.jpg"), "not a picture");
    ProductCard card;
    card.refresh(row(QStringLiteral("7")), std::nullopt, f.temp, f.pictures,
                 [](const QString &) { return true; });

    card.refresh(row(QStringLiteral("9"), 0, false), std::nullopt, f.temp, f.pictures,
                 [](const QString &) { return true; });
    EXPECT_FALSE(card.showPicture());
    EXPECT_FALSE(card.saveEnabled());
    EXPECT_FALSE(card.getPictureEnabled());
    EXPECT_FALSE(card.pictureClicked());
    EXPECT_EQ(card.currentPictureFile(), bundled);

    // A file that does not load as a picture: named, but not shown.
    card.refresh(row(QStringLiteral("8")), std::nullopt, f.temp, f.pictures,
                 [](const QString &) { return false; });
    EXPECT_FALSE(card.showPicture());
    EXPECT_TRUE(card.getPictureEnabled());
    EXPECT_TRUE(card.currentPictureFile().endsWith(QStringLiteral("8.jpg")));
}

TEST(ProductCard, AnEmptyListShowsZeroAndLooksForDotJpg)
{
    Folders f;
    ProductCard card;
    card.refresh(std::nullopt, 5, f.temp, f.pictures, [](const QString &) { return true; });
    EXPECT_EQ(card.discountedPrice(), 0);
    EXPECT_FALSE(card.getPictureEnabled());
    EXPECT_FALSE(card.showPicture());

    f.dir.write(QStringLiteral("Pictures/.jpg"), "x");
    card.refresh(std::nullopt, 5, f.temp, f.pictures, [](const QString &) { return true; });
    EXPECT_TRUE(card.showPicture());
}

TEST(ProductCard, SavingThePictureReportsAFailureAndIgnoresACancel)
{
    ProductCard card;
    ScriptedPrompts prompts;
    int writes = 0;
    card.savePicture(prompts, [&](const QString &) { return ++writes, true; });
    EXPECT_EQ(writes, 0);

    prompts.saveFileNames = {QStringLiteral("/tmp/a.jpg"), QStringLiteral("/nowhere/b.jpg")};
    card.savePicture(prompts, [&](const QString &) { return ++writes, true; });
    card.savePicture(prompts, [&](const QString &) { return ++writes, false; });
    EXPECT_EQ(writes, 2);
    EXPECT_EQ(prompts.texts(QStringLiteral("message")),
              QStringList({QStringLiteral("Ошибка пр сохранении файла")}));
}

TEST(BigImageView, ShowsASmallPictureAtItsSizeAndShrinksALargeOne)
{
    const QSize outer(BigImageView::kInitialWidth, BigImageView::kInitialHeight);
    const QSize view(658, 550);
    const auto small = BigImageView::layout(outer, view, QSize(200, 150));
    EXPECT_FALSE(small.scaleToFit);
    EXPECT_EQ(small.scaleText, QStringLiteral("Масштаб: 100%"));
    EXPECT_EQ(small.sizeText, QStringLiteral("Размер: 150x200"));

    const auto large = BigImageView::layout(outer, view, QSize(1316, 500));
    EXPECT_TRUE(large.scaleToFit);
    EXPECT_EQ(large.scaleText, QStringLiteral("Масштаб: 50%"));
    EXPECT_EQ(large.sizeText, QStringLiteral("Размер: 500x1316"));

    // Exactly the window less its frame allowance still fits.
    EXPECT_FALSE(BigImageView::layout(outer, view, QSize(654, 579)).scaleToFit);
    EXPECT_TRUE(BigImageView::layout(outer, view, QSize(654, 580)).scaleToFit);
}
