// Starting and attaching automation servers by programmatic identifier, as VB's CreateObject
// and GetObject(, class) do.
#pragma once

#include <string>

#include "automation/dispatch.h"

namespace k72645 {

class ApplicationRuntime {
public:
    virtual ~ApplicationRuntime() = default;
    // Starts a new instance; 429 when the class is not installed.
    virtual DispatchPtr createObject(const std::u16string& progId) = 0;
    // The running instance; 429 when none runs.
    virtual DispatchPtr getRunningObject(const std::u16string& progId) = 0;

    // Word's global object ("Word.Global"), started through CreateObject the first time it is
    // asked for and then kept as long as this runtime, shared by everything that uses it. A
    // failed start keeps nothing: the next call tries again.
    DispatchPtr wordGlobal() {
        if (!wordGlobal_)
            wordGlobal_ = createObject(u"Word.Global");
        return wordGlobal_;
    }
    // Drops the global object kept, so that the next use starts a new one.
    void forgetWordGlobal() { wordGlobal_ = nullptr; }

private:
    DispatchPtr wordGlobal_;
};

class Sleeper {
public:
    virtual ~Sleeper() = default;
    virtual void sleep(std::int32_t milliseconds) = 0;
};

}  // namespace k72645
