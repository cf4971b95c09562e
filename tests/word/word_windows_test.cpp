#include <gtest/gtest.h>

#include <algorithm>

#include "automation/vb.h"
#include "component/test_support.h"
#include "word/word_windows.h"

namespace k72645 {
namespace {

using sim::kModalFrameStyle;
using sim::SimDesktop;

constexpr char16_t kDialogClass[] = u"bosa_sdm_Microsoft Office Word 11.0";

// A desktop on which chosen windows refuse to close.
class StubbornDesktop : public SimDesktop {
public:
    void closeWindow(WindowHandle window) override {
        ++asked[window];
        if (std::find(stubborn.begin(), stubborn.end(), window) != stubborn.end()) {
            return;
        }
        SimDesktop::closeWindow(window);
    }
    std::vector<WindowHandle> stubborn;
    std::map<WindowHandle, int> asked;
};

TEST(FermeFenetre, ClosesInnermostChildrenFirstAndPassesOverASurvivor) {
    StubbornDesktop desktop;
    const WindowHandle balloon = desktop.createWindow({u"MSOBALLOON", u"", 0, 0, 0, true});
    const WindowHandle first = desktop.createWindow({u"child", u"", 0, balloon, 0, true});
    const WindowHandle inner = desktop.createWindow({u"child", u"", 0, first, 0, true});
    const WindowHandle second = desktop.createWindow({u"child", u"", 0, balloon, 0, true});
    desktop.stubborn = {first};

    FermeFenetre(desktop, balloon);

    // The surviving child was asked once (its refusal is not logged by the desktop), and the
    // walk went on to the next child.
    EXPECT_EQ(desktop.asked[first], 1);
    EXPECT_EQ(desktop.closeRequests(), (std::vector<WindowHandle>{inner, second, balloon}));
}

TEST(FermeDialogues, ClosesTheDialogsOwnMessageBoxFirstThenTheDialogOnly) {
    SimDesktop desktop;
    const WindowHandle word = desktop.createWindow({u"OPUSAPP", u"Microsoft Word", 0, 0, 0, true});
    // Not dialogs of Word: a tool window without the dialog frame, an untitled and a hidden
    // dialog, another owner's dialog.
    desktop.createWindow({u"tool", u"Outils", word, 0, 0, true});
    desktop.createWindow({kDialogClass, u"", word, 0, kModalFrameStyle, true});
    desktop.createWindow({kDialogClass, u"Cachée", word, 0, kModalFrameStyle, false});
    const WindowHandle other = desktop.createWindow({u"other", u"Autre", 0, 0, 0, true});
    const WindowHandle foreign =
        desktop.createWindow({kDialogClass, u"Etranger", other, 0, kModalFrameStyle});
    const WindowHandle options =
        desktop.createWindow({kDialogClass, u"Options", word, 0, kModalFrameStyle});
    const WindowHandle message =
        desktop.createWindow({kDialogClass, u"Microsoft Word", options, 0, kModalFrameStyle});

    FermeDialogues(desktop, word);

    EXPECT_EQ(desktop.closeRequests(), (std::vector<WindowHandle>{message, options}));
    EXPECT_TRUE(desktop.windowExists(foreign));
    EXPECT_EQ(desktop.windowCount(u"tool"), 1);

    // Nothing left to close, and an owner that does not exist: no effect, no failure.
    FermeDialogues(desktop, word);
    FermeDialogues(desktop, 0x7ffffff0);
    EXPECT_EQ(desktop.closeRequests().size(), 2u);
}

class AfficheWordTest : public testing::SimTest {};

TEST_F(AfficheWordTest, AMinimizedWordComesBackMaximizedInFront) {
    WordSession session(platform);
    session.AppWord = world->startWord();
    put(session.AppWord, u"Visible", true);
    put(session.AppWord, u"WindowState", std::int32_t{2});
    session.HandleWord = desktop.findWindow(u"OPUSAPP", kAnyTitle);
    ASSERT_TRUE(desktop.isMinimized(session.HandleWord));

    EXPECT_TRUE(AfficheWord(session));
    EXPECT_FALSE(desktop.isMinimized(session.HandleWord));
    EXPECT_EQ(vb::cLng(get(session.AppWord, u"WindowState")), 1);
    EXPECT_EQ(desktop.foregroundWindow(), session.HandleWord);
}

}  // namespace
}  // namespace k72645
