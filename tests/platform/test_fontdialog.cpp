#include "platform/fontdialog.h"
#include "support/testsupport.h"

#include <QFontDialog>
#include <QFontInfo>

#include <gtest/gtest.h>

TEST(FontDialog, OpensOnTheFaceInUseAndKeepsTheStoredNameWhenThatFaceIsKept)
{
    // Arial and Times New Roman are served by their metric twins here; the last name exists nowhere.
    const FontDescription fonts[] = {{QStringLiteral("Arial"), 12, fsBold | fsItalic, clNavy},
                                     {QStringLiteral("Times New Roman"), 14, fsUnderline, clBlack},
                                     {QStringLiteral("Almarin No Such Face"), 9, fsBold | fsStrikeOut, clYellow}};
    for (const FontDescription& stored : fonts) {
        QFont shown;
        WhenModalShown<QFontDialog>([&shown](QFontDialog* dialog) {
            shown = dialog->currentFont();
            dialog->accept();
        });
        FontDescription font = stored;
        ASSERT_TRUE(ExecFontDialog(nullptr, QStringLiteral("Font"), font));
        EXPECT_EQ(shown.family().toStdString(), QFontInfo(stored.toQFontPoints()).family().toStdString());
        EXPECT_EQ(shown.pointSize(), stored.size);
        EXPECT_EQ(font, stored) << font.name.toStdString() << " " << font.size << " " << font.style;
    }

    // Another face chosen is stored by its own name.
    WhenModalShown<QFontDialog>([](QFontDialog* dialog) {
        dialog->setCurrentFont(QFont(QStringLiteral("Liberation Mono"), 11));
        dialog->accept();
    });
    FontDescription font = fonts[0];
    ASSERT_TRUE(ExecFontDialog(nullptr, QStringLiteral("Font"), font));
    EXPECT_EQ(font, (FontDescription{QStringLiteral("Liberation Mono"), 11, 0, clNavy}));
}
