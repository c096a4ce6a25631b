#include "ui/BigImageForm.h"
#include "support/TempDir.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(BigImageForm, ShowsASmallPictureAtItsOwnSizeAndShrinksALargeOne)
{
    TempDir dir;
    QImage small(200, 150, QImage::Format_RGB32);
    small.fill(Qt::red);
    ASSERT_TRUE(small.save(dir.file(u"small.jpg"_s)));
    QImage large(2000, 1500, QImage::Format_RGB32);
    large.fill(Qt::blue);
    ASSERT_TRUE(large.save(dir.file(u"large.jpg"_s)));

    TAppBigImage form;
    form.show();
    form.showPicture(dir.file(u"small.jpg"_s));
    EXPECT_EQ(form.windowTitle(), dir.file(u"small.jpg"_s));
    EXPECT_EQ(form.scaleText(), u"Масштаб: 100%"_s);
    EXPECT_EQ(form.sizeText(), u"Размер: 150x200"_s);

    form.showPicture(dir.file(u"large.jpg"_s));
    EXPECT_EQ(form.sizeText(), u"Размер: 1500x2000"_s);
    EXPECT_NE(form.scaleText(), u"Масштаб: 100%"_s);
    // Esc closes the window.
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
}
