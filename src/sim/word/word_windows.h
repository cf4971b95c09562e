// The windows one simulated Word shows on the desktop: its main window ("OpusApp"), the modal
// dialog boxes opened over it (nested: each owned by the one before), and the assistant's
// balloon. A blocking dialog keeps Word from answering automation calls until it is closed.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sim/desktop/window_system.h"

namespace k72645::sim {

inline constexpr char16_t kMainWindowClass[] = u"OpusApp";  // Word's own casing
inline constexpr char16_t kDialogClass[] = u"bosa_sdm_Microsoft Office Word 11.0";
inline constexpr char16_t kBalloonClass[] = u"MSOBALLOON";

class WordWindows {
public:
    // Creates the main window, hidden, titled "Microsoft Word". `closedByUser` runs when the
    // learner closes it (WM_CLOSE); `shownByUser` when ShowWindow changes its state.
    WordWindows(std::shared_ptr<WindowSystem> windows, std::function<void()> closedByUser,
                std::function<void(bool visible, bool minimized)> shownByUser);
    WordWindows(const WordWindows&) = delete;
    WordWindows& operator=(const WordWindows&) = delete;

    WindowHandle mainWindow() const { return main_; }
    void showMainWindow(const std::u16string& title, bool visible, bool minimized);

    // Opens a dialog owned by the main window, or by the last dialog still open.
    WindowHandle showDialog(const std::u16string& title, bool blocking);
    bool blocked() const;
    WindowHandle showAssistantBalloon();

    // Word quits: every window of it goes, without closing hooks.
    void destroyAll();

private:
    struct Dialog {
        WindowHandle window = 0;
        WindowHandle owner = 0;
        bool blocking = false;
    };
    struct Dialogs {
        std::vector<Dialog> open;
    };
    static void dialogClosed(WindowSystem& windows, Dialogs& dialogs, WindowHandle window);

    std::shared_ptr<WindowSystem> windows_;
    std::shared_ptr<Dialogs> dialogs_ = std::make_shared<Dialogs>();
    WindowHandle main_ = 0;
    std::vector<WindowHandle> balloons_;
    std::u16string title_;
    bool visible_ = false;
    bool minimized_ = false;
};

}  // namespace k72645::sim
