// What a scenario's functions reach in the world the scenario runs in: its files, the
// course's delivery, time, the application runtime behind CreateObject, and what Word shows.
#pragma once

#include <cstdint>
#include <string>

#include "automation/dispatch.h"

namespace k72645::player {

// What `Show` shows: the active document as the learner sees it, or the documents open.
enum class WordView { ActiveDocument, Documents };

class ScenarioHost {
public:
    virtual ~ScenarioHost() = default;
    virtual bool fileExists(const std::u16string& path) = 0;
    virtual bool folderExists(const std::u16string& path) = 0;
    // A fresh working folder holding the delivered files of the exercise, ending with its
    // separator.
    virtual std::u16string deliver(std::int32_t exercise) = 0;
    virtual void wait(std::int32_t milliseconds) = 0;
    virtual DispatchPtr createObject(const std::u16string& progId) = 0;
    // What the Word the learner sees holds, as lines of text (colours as in terminal_text.h),
    // each ending with a line break. A world that cannot read its Word says so.
    virtual std::string showWord(WordView) {
        return "Word's documents cannot be shown in this world.\n";
    }
};

}  // namespace k72645::player
