// Stands in for the scenario's Module and remembers what the player would have read: how many
// checks (TestePoint) ran, and what CauseErreur returned after the last one. Every call goes
// on to the Module unchanged, and `Is` still sees the Module itself.
#pragma once

#include <optional>
#include <string>

#include "automation/dispatch.h"

namespace k72645::player {

class VerdictRecorder : public Dispatch {
public:
    explicit VerdictRecorder(DispatchPtr module) : module_(std::move(module)) {}

    Variant invoke(std::u16string_view member, InvokeKind kind, Arguments& args) override;
    const void* identity() const override { return module_->identity(); }

    int checks() const { return checks_; }
    // CauseErreur as read after the last TestePoint; nothing when it was not read since.
    const std::optional<std::u16string>& verdict() const { return verdict_; }

private:
    DispatchPtr module_;
    int checks_ = 0;
    std::optional<std::u16string> verdict_;
};

}  // namespace k72645::player
