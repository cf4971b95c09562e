#include "player/desktop_root.h"

#include "automation/com_error.h"
#include "automation/vb.h"

namespace k72645::player {

namespace {
constexpr std::size_t kLongestTitle = 4095;
// The one message a scenario sends: the request to close a window.
constexpr std::int32_t kCloseMessage = 16;

// An omitted or empty text argument matches any.
WindowText textOrAny(const Arguments& args, std::size_t index) {
    const Variant& v = argumentAt(args, index);
    std::u16string text = v.isMissing() ? std::u16string() : vb::cStr(v);
    return text.empty() ? WindowText() : WindowText(std::move(text));
}
WindowHandle handleAt(const Arguments& args, std::size_t index) {
    return vb::cLng(requiredArgument(args, index));
}
void requireCloseMessage(const Arguments& args, std::size_t index) {
    if (vb::cLng(requiredArgument(args, index)) != kCloseMessage)
        throw errors::invalidCall();
}
// A true state reads 1, as user32 gives it.
Variant userTruth(bool value) {
    return Variant(std::int32_t{value ? 1 : 0});
}
}  // namespace

std::shared_ptr<DesktopRoot> DesktopRoot::create(std::shared_ptr<sim::SimDesktop> desktop) {
    return std::shared_ptr<DesktopRoot>(new DesktopRoot(std::move(desktop)));
}

DesktopRoot::DesktopRoot(std::shared_ptr<sim::SimDesktop> desktop) : desktop_(std::move(desktop)) {
    method(u"FindWindow", [this](Arguments& args) {
        return Variant(desktop_->findWindow(textOrAny(args, 0), textOrAny(args, 1)));
    });
    method(u"IsWindowVisible",
           [this](Arguments& args) { return userTruth(desktop_->isVisible(handleAt(args, 0))); });
    method(u"IsIconic",
           [this](Arguments& args) { return userTruth(desktop_->isMinimized(handleAt(args, 0))); });
    method(u"GetWindowText", [this](Arguments& args) {
        return Variant(desktop_->windowText(handleAt(args, 0), kLongestTitle));
    });
    method(u"GetForegroundWindow",
           [this](Arguments&) { return Variant(desktop_->foregroundWindow()); });
    method(u"SendMessage", [this](Arguments& args) {
        const WindowHandle window = handleAt(args, 0);
        requireCloseMessage(args, 1);
        desktop_->closeWindow(window);
        return Variant(std::int32_t{0});
    });
    method(u"WindowCount", [this](Arguments& args) {
        return Variant(desktop_->windowCount(vb::cStr(requiredArgument(args, 0))));
    });
}

}  // namespace k72645::player
