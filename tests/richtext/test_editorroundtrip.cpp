#include "richtext/charattributes.h"
#include "richtext/wprenderer.h"
#include "richtext/wprichtext.h"
#include "richtext/wprtfstorage.h"

#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

bool hasInk(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}

} // namespace

// A cell's text saved back from the editor is painted at the size the cell had before.
TEST(EditorRoundTrip, TextSavedBackPaintsAtTheSameSizeAgain)
{
    QTextDocument doc;
    AppendRichParagraph(doc, QStringLiteral("Dentist"), {QStringLiteral("Arial"), 10, fsBold, clBlack});
    TWPRtfStorage cell;
    cell.SetDocument(doc);
    TWPRenderer renderer;
    EXPECT_TRUE(hasInk(renderer.Image(cell, QSize(72, 37), 60)));

    TWPRichText editor;
    editor.SetPageSize(1800, 925);
    editor.SetZoom(60);
    editor.LoadFrom(cell);
    editor.SaveTo(cell);
    EXPECT_EQ(cell.PlainText(), QStringLiteral("Dentist"));
    EXPECT_TRUE(hasInk(renderer.Image(cell, QSize(72, 37), 60)));
}
