// Any bytes read as a scenario, or as an entry of the interactive player, either parse or
// raise ScenarioSyntaxError: nothing else escapes, nothing crashes, nothing hangs.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "automation/text.h"
#include "player/scenario_parser.h"
#include "player/scenario_syntax_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text =
        k72645::fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        k72645::player::parseScenario(text);
    } catch (const k72645::player::ScenarioSyntaxError&) {
    }
    try {
        k72645::player::parseInteractive(text, 1);
    } catch (const k72645::player::ScenarioSyntaxError&) {
    }
    return 0;
}
