// Office's CommandBars collection and CommandBar object, as Word shows them: "Standard",
// "Formatting", "Drawing" and "Task Pane", found without regard to case.
#include "automation/text.h"
#include "automation/vb.h"
#include "sim/word/word_automation.h"
#include "sim/word/word_errors.h"
#include "sim/word/word_object.h"

namespace k72645::sim {

namespace {

constexpr std::int32_t kFloating = 4;

class CommandBarObject : public WordObject {
public:
    CommandBarObject(WordPtr instance, std::size_t position)
        : WordObject(std::move(instance)), position_(position) {
        readOnly(u"Name", [this] { return Variant(bar().name); });
        readWrite(
            u"Enabled", [this] { return wordBool(bar().enabled); },
            [this](const Variant& v) { bar().enabled = vb::cBool(v); });
        readWrite(
            u"Visible", [this] { return wordBool(bar().visible); },
            [this](const Variant& v) { bar().visible = vb::cBool(v); });
        readWrite(
            u"Position", [this] { return Variant(bar().position); },
            [this](const Variant& v) {
                const std::int32_t position = vb::cLng(v);
                if (position < 0 || position > kFloating)
                    throw word_errors::invalidArgument();
                bar().position = position;
            });
        defaultMember(u"Name");
    }

private:
    CommandBarState& bar() const { return word().settings().commandBars.at(position_); }

    std::size_t position_;
};

class CommandBarsObject : public WordObject {
public:
    explicit CommandBarsObject(WordPtr instance) : WordObject(std::move(instance)) {
        readOnly(u"Count", [this] {
            return Variant(static_cast<std::int32_t>(word().settings().commandBars.size()));
        });
        readWrite(
            u"DisplayTooltips", [this] { return wordBool(word().settings().displayTooltips); },
            [this](const Variant& v) { word().settings().displayTooltips = vb::cBool(v); });
        method(u"Item", [this](Arguments& args) {
            const CollectionKey key = collectionKeyOf(requiredArgument(args, 0));
            const auto& bars = word().settings().commandBars;
            for (std::size_t i = 0; i < bars.size(); ++i) {
                if (key.position ? *key.position == static_cast<std::int32_t>(i + 1)
                                 : equalsIgnoreCase(bars[i].name, key.name)) {
                    return DispatchPtr(std::make_shared<CommandBarObject>(wordPtr(), i));
                }
            }
            throw word_errors::invalidArgument();
        });
        defaultMember(u"Item");
    }
};

}  // namespace

DispatchPtr makeCommandBars(WordPtr word) {
    return std::make_shared<CommandBarsObject>(std::move(word));
}

}  // namespace k72645::sim
