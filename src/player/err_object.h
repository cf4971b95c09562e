// The scenario's Err: Number, Source and Description of the last failure trapped under
// On Error Resume Next, with VB's Clear and Raise.
#pragma once

#include <memory>

#include "automation/automation_object.h"

namespace k72645::player {

class ErrObject : public AutomationObject {
public:
    static std::shared_ptr<ErrObject> create();

    void set(const ComError& error);
    void clear();

    std::int32_t number() const { return number_; }
    const std::u16string& source() const { return source_; }
    const std::u16string& description() const { return description_; }

private:
    ErrObject();

    std::int32_t number_ = 0;
    std::u16string source_;
    std::u16string description_;
};

}  // namespace k72645::player
