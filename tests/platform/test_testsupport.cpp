#include "support/testsupport.h"

#include <QDialog>
#include <QFontDialog>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

// A dialog that never comes fails the test, and the dialog in its way is closed instead of hanging it.
TEST(TestSupport, WaitingForAModalDialogEnds)
{
    EXPECT_NONFATAL_FAILURE(
        {
            WhenModalShown<QFontDialog>([](QFontDialog* dialog) { dialog->accept(); }, 50);
            QDialog other;
            EXPECT_EQ(other.exec(), QDialog::Rejected);
        },
        "no QFontDialog came up within 50 ms");
}
