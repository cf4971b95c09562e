// CreateObject and GetObject over COM: the class of a programmatic identifier
// (CLSIDFromProgID), a new instance (CoCreateInstance, out of process or in process) or the
// running one (GetActiveObject). Every failure is VB's error 429.
#pragma once

#include "platform/application_runtime.h"

namespace k72645::win32 {

class Win32Runtime : public ApplicationRuntime {
public:
    DispatchPtr createObject(const std::u16string& progId) override;
    DispatchPtr getRunningObject(const std::u16string& progId) override;
};

class Win32Sleeper : public Sleeper {
public:
    void sleep(std::int32_t milliseconds) override;
};

}  // namespace k72645::win32
