// The base of every automation object of a simulated Word: a thin wrapper over the model that
// checks, before each call, that its Word still runs and is not held by a blocking dialog.
// Missing members raise Word's 438.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "automation/automation_object.h"
#include "sim/word/word_instance.h"

namespace k72645::sim {

class WordObject : public AutomationObject {
public:
    // True when the Word this object belongs to was killed.
    bool ofKilledWord() const { return word_->killed(); }
    // The Word this object belongs to.
    const std::shared_ptr<WordInstance>& instance() const { return word_; }

protected:
    explicit WordObject(std::shared_ptr<WordInstance> word) : word_(std::move(word)) {}

    void beforeInvoke(std::u16string_view member) override;
    ComError memberNotFound(std::u16string_view member) const override;

    WordInstance& word() const { return *word_; }
    const std::shared_ptr<WordInstance>& wordPtr() const { return word_; }

    // Read-only and read-write properties of plain values.
    void readOnly(std::u16string name, std::function<Variant()> getter);
    void readWrite(std::u16string name, std::function<Variant()> getter,
                   std::function<void(const Variant&)> setter);

private:
    std::shared_ptr<WordInstance> word_;
};

// A collection index: a text is a name, anything else a position from 1.
struct CollectionKey {
    std::optional<std::int32_t> position;
    std::u16string name;
};
CollectionKey collectionKeyOf(const Variant& index);
// The position from 0 of a 1-based index into a collection of `count` items; 5941 outside.
std::size_t positionIn(std::int32_t position, std::size_t count);

// Optional arguments as Word reads them.
bool optionalBool(const Arguments& args, std::size_t index, bool fallback);
std::int32_t optionalLong(const Arguments& args, std::size_t index, std::int32_t fallback);
std::u16string optionalText(const Arguments& args, std::size_t index);
// Word's Booleans come back as VB Booleans.
inline Variant wordBool(bool value) {
    return Variant(value);
}

}  // namespace k72645::sim
