#include "widgets/graphicpanel.h"

#include "support/testsupport.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QImage render(QWidget& w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QColor at(const QImage& image, int x, int y)
{
    return QColor::fromRgb(image.pixel(x, y));
}

QColor light()
{
    return QColor::fromRgb(QGuiApplication::palette().color(QPalette::Light).rgb());
}

QColor shadow()
{
    return QColor::fromRgb(QGuiApplication::palette().color(QPalette::Dark).rgb());
}

// The box around every pixel that differs from the fill colour inside `area`.
QRect inkBox(const QImage& image, const QRect& area, const QColor& fill)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixel(x, y) != fill.rgb())
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

} // namespace

TEST(GraphicPanel, DefaultsAndRaisedBevel)
{
    TGraphicPanel panel;
    EXPECT_EQ(panel.size(), QSize(185, 41));
    EXPECT_EQ(panel.Alignment(), TGraphicPanel::taCenter);
    EXPECT_EQ(panel.BevelInner(), TGraphicPanel::bvNone);
    EXPECT_EQ(panel.BevelOuter(), TGraphicPanel::bvRaised);
    EXPECT_EQ(panel.BevelWidth(), 1);
    EXPECT_EQ(panel.BorderWidth(), 0);
    EXPECT_EQ(panel.BorderStyle(), TGraphicPanel::bsNone);
    EXPECT_EQ(panel.Color(), TGraphicPanel::clBtnFace);

    ASSERT_NE(light(), shadow());
    const QImage image = render(panel);
    const QColor face = QColor::fromRgb(ToQColor(TGraphicPanel::clBtnFace).rgb());
    EXPECT_EQ(at(image, 0, 0), light());
    EXPECT_EQ(at(image, 183, 0), light());
    EXPECT_EQ(at(image, 0, 39), light());
    EXPECT_EQ(at(image, 184, 0), shadow());
    EXPECT_EQ(at(image, 184, 40), shadow());
    EXPECT_EQ(at(image, 0, 40), shadow());
    EXPECT_EQ(at(image, 1, 1), face);
    EXPECT_EQ(at(image, 183, 39), face);
}

TEST(GraphicPanel, BorderBevelsAndFrameShrinkInward)
{
    TGraphicPanel panel;
    panel.resize(40, 30);
    panel.setBorderStyle(TGraphicPanel::bsSingle);
    panel.setBevelOuter(TGraphicPanel::bvLowered);
    panel.setBevelWidth(2);
    panel.setBorderWidth(3);
    panel.setBevelInner(TGraphicPanel::bvRaised);
    panel.setColor(RGBValue(255, 0, 0));
    const QImage image = render(panel);
    EXPECT_EQ(at(image, 0, 0), QColor(Qt::black));
    EXPECT_EQ(at(image, 39, 29), QColor(Qt::black));
    // Lowered outer bevel, two pixels wide.
    EXPECT_EQ(at(image, 1, 1), shadow());
    EXPECT_EQ(at(image, 2, 2), shadow());
    EXPECT_EQ(at(image, 38, 28), light());
    EXPECT_EQ(at(image, 37, 27), light());
    // Frame of three pixels in the panel's colour.
    for (int i = 3; i <= 5; ++i) {
        EXPECT_EQ(at(image, i, 15), QColor(Qt::red)) << i;
        EXPECT_EQ(at(image, 39 - i, 15), QColor(Qt::red)) << i;
    }
    // Raised inner bevel, then the fill.
    EXPECT_EQ(at(image, 6, 6), light());
    EXPECT_EQ(at(image, 7, 7), light());
    EXPECT_EQ(at(image, 33, 23), shadow());
    EXPECT_EQ(at(image, 8, 8), QColor(Qt::red));
    EXPECT_EQ(at(image, 31, 21), QColor(Qt::red));
}

TEST(GraphicPanel, CaptionIsCentredAndFollowsAlignment)
{
    TGraphicPanel panel;
    panel.resize(120, 40);
    panel.setColor(clWhite);
    panel.setCaption(QStringLiteral("12"));
    const QRect inside(1, 1, 118, 38);
    const QRect centred = inkBox(render(panel), inside, Qt::white);
    ASSERT_FALSE(centred.isEmpty());
    EXPECT_NEAR(centred.center().x(), 60, 2);
    EXPECT_NEAR(centred.center().y(), 20, 3);

    panel.setAlignment(TGraphicPanel::taLeftJustify);
    const QRect left = inkBox(render(panel), inside, Qt::white);
    EXPECT_LE(left.left(), 3);
    EXPECT_EQ(left.top(), centred.top());

    panel.setAlignment(TGraphicPanel::taRightJustify);
    const QRect right = inkBox(render(panel), inside, Qt::white);
    EXPECT_GE(right.right(), 116);

    panel.setCaption(QString());
    EXPECT_TRUE(inkBox(render(panel), inside, Qt::white).isEmpty());
}

TEST(GraphicPanel, ClickNeedsPressAndReleaseInside)
{
    TGraphicPanel panel;
    QSignalSpy spy(&panel, &TGraphicPanel::clicked);
    QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(spy.count(), 1);
    QTest::mouseClick(&panel, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(spy.count(), 1);
    QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(300, 10));
    EXPECT_EQ(spy.count(), 1);
}

TEST(CanvasPanel, PaintingIsHandedToTheListener)
{
    TCanvasPanel panel;
    panel.resize(30, 20);
    render(panel); // nothing connected: nothing drawn, nothing breaks
    QObject::connect(&panel, &TCanvasPanel::paint, [](QPainter* p) { p->fillRect(0, 0, 30, 20, Qt::blue); });
    const QImage image = render(panel);
    EXPECT_EQ(at(image, 0, 0), QColor(Qt::blue));
    EXPECT_EQ(at(image, 29, 19), QColor(Qt::blue));
}
