// Word's global object (Word.Global): its members are those of the Word that GetObject would
// give at the time of each call; 429 when no Word runs.
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
    std::weak_ptr<SimWorld> world_;
};

}  // namespace k72645::sim
