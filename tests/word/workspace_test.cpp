#include <gtest/gtest.h>

#include "automation/vb.h"
#include "component/test_support.h"
#include "word/word_startup.h"
#include "word/workspace.h"

namespace k72645 {
namespace {

using testing::located;
using testing::member;

class WorkspaceTest : public testing::SimTest {
protected:
    WorkspaceTest() { GetApplication(session); }
    Variant bar(const std::u16string& name) {
        return member(member(session.AppWord, u"CommandBars"), u"Item", {name});
    }
    void setBar(const std::u16string& name, bool visible, std::int32_t position) {
        put(toObject(bar(name)), u"Visible", visible);
        put(toObject(bar(name)), u"Position", position);
    }
    std::int32_t position(const std::u16string& name) {
        return vb::cLng(member(bar(name), u"Position"));
    }
    bool visible(const std::u16string& name) { return vb::cBool(member(bar(name), u"Visible")); }
    WordSession session{platform};
};

TEST_F(WorkspaceTest, ToolbarsAreDockedWhereTheCourseExpectsThem) {
    setBar(u"Formatting", true, 4);  // floating in the middle of the screen
    setBar(u"Drawing", true, 0);     // docked at the left
    session.savedTaskPaneState = -1;
    InitCommandBar(session);
    EXPECT_EQ(position(u"Formatting"), 1);
    EXPECT_TRUE(visible(u"Formatting"));
    EXPECT_EQ(position(u"Standard"), 1);
    EXPECT_EQ(position(u"Drawing"), 3);
    EXPECT_TRUE(visible(u"Drawing"));
    EXPECT_EQ(position(u"Task Pane"), 2);
    EXPECT_TRUE(visible(u"Task Pane"));
}

TEST_F(WorkspaceTest, AHiddenDrawingBarAndAnUnavailableTaskPaneAreLeftAlone) {
    setBar(u"Drawing", false, 0);
    setBar(u"Task Pane", true, 4);
    put(toObject(bar(u"Task Pane")), u"Enabled", false);
    InitCommandBar(session);
    EXPECT_FALSE(visible(u"Drawing"));
    EXPECT_EQ(position(u"Drawing"), 0);
    EXPECT_EQ(position(u"Task Pane"), 4);
}

TEST_F(WorkspaceTest, ARefusedCallIsLocatedAndNestedReportsChain) {
    session.learnerSettings.currentFolder = u"/no/such/folder/";
    const std::u16string inner = located(u"Module", u"ChangeDir", u"Microsoft Word");
    EXPECT_EQ(testing::failureOf([&] { ChangeDir(session, u"/no/such/folder/"); }).source(), inner);
    EXPECT_EQ(testing::failureOf([&] { RestaureParamUser(session); }).source(),
              located(u"Module", u"RestaureParamUser", inner));
}

}  // namespace
}  // namespace k72645
