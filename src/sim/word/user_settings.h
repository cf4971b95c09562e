// The settings a Word user keeps from one Word to the next (Word stores them in the registry
// and in Normal.dot): default folders, command bars, ScreenTips, the start-up task pane, and the
// settings of the PC that change what Word shows or asks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace k72645::sim {

struct CommandBarState {
    std::u16string name;
    bool enabled = true;
    bool visible = true;
    std::int32_t position = 1;  // 0 left, 1 top, 2 right, 3 bottom, 4 floating
};

struct UserSettings {
    std::u16string userFolder;
    std::u16string documentsPath;  // without a final separator
    std::u16string templatesPath;
    bool displayTooltips = true;
    bool showStartupDialog = true;
    std::vector<CommandBarState> commandBars;
    // The learner's PC around Word: Explorer's "Hide extensions for known file types" (Word's
    // window titles and captions then drop a document's extension) and Word's SQLSecurityCheck
    // (opening a main document linked to a data source asks before running its query).
    bool hideExtensions = false;
    bool sqlSecurityCheck = true;

    // The settings of a fresh user folder: "Documents" and "Templates" inside it, the four
    // command bars where Word 2003 puts them.
    static UserSettings defaultsFor(const std::u16string& userFolder);
    std::u16string normalTemplatePath() const;
};

}  // namespace k72645::sim
