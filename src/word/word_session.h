// What the Module knows of the Word it drives: the application reference, Word's main window,
// the settings it saved to give back, and the ports it reaches the desktop and the automation
// runtime through. The procedures of word_startup, word_windows and workspace work on it.
#pragma once

#include <cstdint>
#include <string>

#include "automation/dispatch.h"
#include "platform/platform.h"

namespace k72645 {

inline constexpr char16_t kWordProgId[] = u"Word.application.11";
inline constexpr char16_t kWordWindowClass[] = u"OPUSAPP";
inline constexpr char16_t kWordWindowTitle[] = u"Microsoft Word";
inline constexpr char16_t kWordWindowTitleSuffix[] = u" - Microsoft Word";

// The learner's own settings, recorded at the start of an exercise and given back at its end.
struct LearnerSettings {
    std::u16string currentFolder;
    std::u16string userTemplatesFolder;
    std::u16string documentsFolder;
    std::int32_t displayTooltips = 0;  // Word Boolean: -1 or 0
};

struct WordSession {
    explicit WordSession(Platform ports) : platform(std::move(ports)) {}

    Platform platform;
    DispatchPtr application;
    WindowHandle mainWindow = 0;
    std::int32_t savedStartupSetting = 0;  // Word Boolean: -1 or 0
    std::int32_t savedTaskPaneState = 0;   // false until the first closing
    LearnerSettings learnerSettings;
    // True when learnerSettings holds a complete record: a record that failed part-way is
    // never given back, as it would put empty folders in place of the learner's.
    bool learnerSettingsRecorded = false;
    // The process of Word's windows, read whenever its main window is known: the dialog boxes of
    // a Word that no longer answers are found by it (0: not known).
    std::uint32_t wordProcess = 0;
    // Whether the Word that GetApplication last obtained was started (not attached).
    bool wordStarted = false;
    // True while Word's main window has its drawing locked by GetApplication.
    bool drawingLocked = false;

    Desktop& desktop() const { return *platform.desktop; }
};

// Unlocks Word's drawing, if GetApplication locked it, when the guarded operation ends, however
// it ends: a window left locked would never be redrawn for the learner.
class DrawingLockRelease {
public:
    explicit DrawingLockRelease(WordSession& session) : session_(session) {}
    ~DrawingLockRelease();
    DrawingLockRelease(const DrawingLockRelease&) = delete;
    DrawingLockRelease& operator=(const DrawingLockRelease&) = delete;

private:
    WordSession& session_;
};

}  // namespace k72645
