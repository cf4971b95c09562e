// What a scenario's functions reach in the world the scenario runs in: its files, the
// course's delivery, time, and the application runtime behind CreateObject.
#pragma once

#include <cstdint>
#include <string>

#include "automation/dispatch.h"

namespace k72645::player {

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
};

}  // namespace k72645::player
