// The user32 text queries never write past the buffer they are given.
#include "desktop_fixture.h"

namespace k72645::sim::testing {
namespace {

TEST_F(DesktopTest, TextFunctionsCopyAtMostBufferSizeMinusOne) {
    const WindowHandle word = open(u"OPUSAPP", u"Microsoft Word");
    std::u16string text = u"aaaaaaaaaaaaaaaaaaaa";
    EXPECT_EQ(desktop.GetWindowTextA(word, text, 255), 14);
    EXPECT_EQ(text, u"Microsoft Word");
    EXPECT_EQ(desktop.GetWindowTextA(word, text, 4), 3);
    EXPECT_EQ(text, u"Mic");
    EXPECT_EQ(desktop.GetClassNameA(word, text, 1), 0);
    EXPECT_EQ(text, u"");
    text = u"kept";
    EXPECT_EQ(desktop.GetWindowTextA(word, text, 0), 0);
    EXPECT_EQ(desktop.GetWindowTextA(kMissing, text, 255), 0);
    EXPECT_EQ(desktop.GetClassNameA(kMissing, text, 255), 0);
    EXPECT_EQ(text, u"kept");
    EXPECT_EQ(desktop.GetClassNameA(word, text, 256), 7);
}

}  // namespace
}  // namespace k72645::sim::testing
