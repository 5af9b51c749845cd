#include "common/Dialogs.h"

#include <QFileDialog>
#include <gtest/gtest.h>

// The open and save dialogs come up with the filter the program asks for, not the first one.
TEST(FileDialog, StartsWithTheRequestedFilter)
{
    struct Case {
        const char* What;
        tk::FileDialogRequest Request;
        bool Save;
        const char* Chosen;
    } cases[] = {
        {"open: plot data files",
         {"Open Response Input File", "/tmp", "All Files (*.*)|*.*|Plot Data Files (*.plt, *.gif)|*.plt;*.gif", 2, ""},
         false, "Plot Data Files (*.plt, *.gif)"},
        {"save: bitmaps", {"Save Plot File As ...", "/tmp", "All Files (*.*)|*.*|Bitmap (*.bmp)|*.bmp", 2, "t-freq.bmp"},
         true, "Bitmap (*.bmp)"},
        {"first filter", {"x", "/tmp", "All Files (*.*)|*.*|Bitmap (*.bmp)|*.bmp", 1, ""}, false, "All Files (*.*)"},
    };
    for (const Case& c : cases) {
        QFileDialog dlg;
        tk::ConfigureFileDialog(dlg, c.Request, c.Save);
        EXPECT_EQ(dlg.selectedNameFilter().toStdString(), c.Chosen) << c.What;
        EXPECT_EQ(dlg.windowTitle().toStdString(), c.Request.Title) << c.What;
        EXPECT_EQ(dlg.acceptMode(), c.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen) << c.What;
    }
}
