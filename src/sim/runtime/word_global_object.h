// Word's global object (Word.Global): an object of the Word running when it is first called,
// whose members are that Word's Application's; 429 when no Word runs then. It lives in that
// Word's process: once that Word has gone, every call raises 462, as a call to a server that
// has ended does, whatever Word runs now.
#pragma once

#include <memory>

#include "automation/dispatch.h"

namespace k72645::sim {

class SimWorld;

class WordGlobalObject : public Dispatch {
public:
    explicit WordGlobalObject(std::weak_ptr<SimWorld> world) : world_(std::move(world)) {}
    Variant invoke(std::u16string_view member, InvokeKind kind, Arguments& args) override;
    // The members of the running Word's Application; none when no Word runs.
    std::vector<std::u16string> memberNames() const override;

private:
    // The Word this object belongs to, from its first call on.
    DispatchPtr boundWord();

    std::weak_ptr<SimWorld> world_;
    DispatchPtr word_;
};

}  // namespace k72645::sim
