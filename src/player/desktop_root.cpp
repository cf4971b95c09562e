#include "player/desktop_root.h"

#include "automation/vb.h"

namespace k72645::player {

namespace {
// An omitted text argument matches any, as user32's NULL does.
std::u16string textOrAny(const Arguments& args, std::size_t index) {
    const Variant& v = argumentAt(args, index);
    return v.isMissing() ? std::u16string() : vb::cStr(v);
}
WindowHandle handleAt(const Arguments& args, std::size_t index) {
    return vb::cLng(requiredArgument(args, index));
}
}  // namespace

std::shared_ptr<DesktopRoot> DesktopRoot::create(std::shared_ptr<sim::SimDesktop> desktop) {
    return std::shared_ptr<DesktopRoot>(new DesktopRoot(std::move(desktop)));
}

DesktopRoot::DesktopRoot(std::shared_ptr<sim::SimDesktop> desktop) : desktop_(std::move(desktop)) {
    method(u"FindWindow", [this](Arguments& args) {
        return Variant(desktop_->FindWindowA(textOrAny(args, 0), textOrAny(args, 1)));
    });
    method(u"IsWindowVisible", [this](Arguments& args) {
        return Variant(desktop_->IsWindowVisible(handleAt(args, 0)));
    });
    method(u"IsIconic",
           [this](Arguments& args) { return Variant(desktop_->IsIconic(handleAt(args, 0))); });
    method(u"GetWindowText", [this](Arguments& args) {
        std::u16string text;
        desktop_->GetWindowTextA(handleAt(args, 0), text, 4096);
        return Variant(text);
    });
    method(u"GetForegroundWindow",
           [this](Arguments&) { return Variant(desktop_->foregroundWindow()); });
    method(u"SendMessage", [this](Arguments& args) {
        std::int32_t message = vb::cLng(requiredArgument(args, 1));
        return Variant(desktop_->SendMessageA(handleAt(args, 0), message, 0, 0));
    });
    method(u"WindowCount", [this](Arguments& args) {
        return Variant(desktop_->windowCount(vb::cStr(requiredArgument(args, 0))));
    });
}

}  // namespace k72645::player
