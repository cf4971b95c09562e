// The windows one simulated Word shows on the desktop: its frame windows ("OpusApp"), one per
// open document or one for the whole of Word, the modal dialog boxes opened over the active
// one (nested: each owned by the one before), and the assistant's balloon. A blocking dialog
// keeps Word from answering automation calls until it is closed.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sim/desktop/window_system.h"

namespace k72645::sim {

inline constexpr char16_t kMainWindowClass[] = u"OpusApp";  // Word's own casing
inline constexpr char16_t kDialogClass[] = u"bosa_sdm_Microsoft Office Word 11.0";
inline constexpr char16_t kBalloonClass[] = u"MSOBALLOON";

// Names the document a frame window shows; nullptr for the frame of Word itself (no document
// open, or one window for every document).
using FrameKey = const void*;

// The frame windows Word is to show: each with its key and title, the active one on top.
struct FrameLayout {
    std::vector<std::pair<FrameKey, std::u16string>> frames;
    FrameKey active = nullptr;
    bool visible = false;
    bool minimized = false;
};

class WordWindows {
public:
    // Creates Word's frame window, hidden, titled "Microsoft Word". `closedByUser` runs with
    // its key when the learner closes a frame (WM_CLOSE); `shownByUser` when ShowWindow changes
    // a frame's state.
    WordWindows(std::shared_ptr<WindowSystem> windows, std::function<void(FrameKey)> closedByUser,
                std::function<void(bool visible, bool minimized)> shownByUser);
    WordWindows(const WordWindows&) = delete;
    WordWindows& operator=(const WordWindows&) = delete;

    // The active frame: the one dialogs are opened over.
    WindowHandle mainWindow() const { return main_; }
    // Brings the frames to the layout: a frame whose key is no longer wanted is taken over by a
    // wanted one that has none (the last document's window stays as Word's own, and the next
    // document opened takes it), or else destroyed; missing frames are created.
    void showFrames(const FrameLayout& layout);

    // Opens a dialog owned by the active frame, or by the last dialog still open.
    WindowHandle showDialog(const std::u16string& title, bool blocking);
    bool blocked() const;
    // Closes a dialog as the learner's answer does (its owner answers again).
    void dismissDialog(WindowHandle dialog);
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
    struct Frame {
        FrameKey key = nullptr;
        WindowHandle window = 0;
        std::u16string title;
        bool visible = false;
        bool minimized = false;
    };
    static void dialogClosed(WindowSystem& windows, Dialogs& dialogs, WindowHandle window);
    WindowHandle createFrame(const std::u16string& title, bool visible);
    void frameClosed(WindowHandle window);
    void frameShown(WindowHandle window, bool visible, bool minimized);

    std::shared_ptr<WindowSystem> windows_;
    std::function<void(FrameKey)> closedByUser_;
    std::function<void(bool, bool)> shownByUser_;
    std::shared_ptr<Dialogs> dialogs_ = std::make_shared<Dialogs>();
    std::vector<Frame> frames_;
    std::uint32_t process_;
    WindowHandle main_ = 0;
    std::vector<WindowHandle> balloons_;
};

}  // namespace k72645::sim
