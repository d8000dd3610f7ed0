#include "widgets/colorbutton.h"

#include "support/testsupport.h"

#include <QFrame>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

constexpr TColor kRed = RGBValue(255, 0, 0);
constexpr TColor kOrange = RGBValue(255, 128, 0);

struct ColorButtonTest : ::testing::Test
{
    TColorButton button{QStringLiteral("Background")};
    QSignalSpy changed{&button, &TColorButton::ColorChanged};

    void SetUp() override
    {
        button.resize(120, 26);
        button.show();
    }
};

} // namespace

TEST_F(ColorButtonTest, PressingOpensThePaletteOfSixteenAndOther)
{
    QTest::mouseClick(&button, Qt::LeftButton);
    ASSERT_NE(button.Palette(), nullptr);
    EXPECT_TRUE(button.Palette()->isVisible());
    EXPECT_EQ(TColorButton::PaletteColors().size(), 16);
    EXPECT_NE(button.Swatch(15), nullptr);
    EXPECT_EQ(button.Swatch(16), nullptr);
    EXPECT_EQ(button.OtherButton()->text(), QStringLiteral("Other..."));
    // The popup opens right under the button.
    EXPECT_GE(button.Palette()->geometry().top(), button.mapToGlobal(QPoint(0, button.height())).y());
    EXPECT_LE(button.Palette()->geometry().left() - button.mapToGlobal(QPoint(0, 0)).x(), 4);
}

TEST_F(ColorButtonTest, ChoosingASwatchSetsTheColourClosesAndSignalsOnce)
{
    button.ShowPalette();
    const int red = TColorButton::PaletteColors().indexOf(kRed);
    ASSERT_GE(red, 0);
    QTest::mouseClick(button.Swatch(red), Qt::LeftButton);
    EXPECT_EQ(button.Color(), kRed);
    EXPECT_FALSE(button.Palette()->isVisible());
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<TColor>(), kRed);

    // The colour already shown is no change.
    button.ShowPalette();
    QTest::mouseClick(button.Swatch(red), Qt::LeftButton);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(button.Palette()->isVisible());
}

TEST_F(ColorButtonTest, OtherAsksForAnyColourAndCancelKeepsTheOld)
{
    TColor offered = -1;
    bool answer = true;
    button.ChooseOther = [&](TColor& color) {
        offered = color;
        color = kOrange;
        return answer;
    };
    button.SetColor(kRed);
    button.ShowPalette();
    QTest::mouseClick(button.OtherButton(), Qt::LeftButton);
    EXPECT_EQ(offered, kRed);
    EXPECT_EQ(button.Color(), kOrange);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(button.Palette()->isVisible());

    answer = false;
    button.SetColor(kRed);
    button.ShowPalette();
    QTest::mouseClick(button.OtherButton(), Qt::LeftButton);
    EXPECT_EQ(button.Color(), kRed);
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(ColorButtonTest, SettingTheColourShowsItWithoutSignalling)
{
    button.SetColor(RGBValue(0, 0, 255));
    EXPECT_EQ(changed.count(), 0);
    const QImage image = button.grab().toImage();
    image.save(TestOutputDir(QStringLiteral("widgets")) + QStringLiteral("/colorbutton.png"));
    // The swatch sits at the left, vertically centred.
    bool blue = false;
    for (int x = 4; x < 40 && !blue; ++x)
        blue = image.pixelColor(x, image.height() / 2) == QColor(0, 0, 255);
    EXPECT_TRUE(blue);
}
