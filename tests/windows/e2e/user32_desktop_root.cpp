#include "tests/windows/e2e/user32_desktop_root.h"

#include <windows.h>

#include "automation/com_error.h"
#include "automation/text.h"
#include "automation/vb.h"

namespace k72645::e2e {

namespace {
constexpr std::size_t kLongestTitle = 4095;

// An omitted or empty text argument matches any.
WindowText textOrAny(const Arguments& args, std::size_t index) {
    const Variant& v = argumentAt(args, index);
    std::u16string text = v.isMissing() ? std::u16string() : vb::cStr(v);
    return text.empty() ? WindowText() : WindowText(std::move(text));
}
WindowHandle handleAt(const Arguments& args, std::size_t index) {
    return vb::cLng(requiredArgument(args, index));
}
// A true state reads 1, as user32 gives it.
Variant userTruth(bool value) {
    return Variant(std::int32_t{value ? 1 : 0});
}

// The windows of one process whose class is the one named (case ignored; "" for every class),
// top-level and child ones.
struct Census {
    std::u16string className;
    DWORD process = 0;
    std::int32_t count = 0;
};

void countOne(HWND window, Census& census) {
    wchar_t name[256] = {};
    const int length = ::GetClassNameW(window, name, 256);
    const std::u16string found(reinterpret_cast<const char16_t*>(name),
                               static_cast<std::size_t>(length > 0 ? length : 0));
    if (census.className.empty() || equalsIgnoreCase(found, census.className))
        ++census.count;
}

BOOL CALLBACK countChild(HWND window, LPARAM state) {
    countOne(window, *reinterpret_cast<Census*>(state));
    return TRUE;
}

BOOL CALLBACK countTopLevel(HWND window, LPARAM state) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != reinterpret_cast<Census*>(state)->process)
        return TRUE;
    countOne(window, *reinterpret_cast<Census*>(state));
    ::EnumChildWindows(window, &countChild, state);
    return TRUE;
}
}  // namespace

User32DesktopRoot::User32DesktopRoot(DWORD wordProcess) {
    method(u"FindWindow", [this](Arguments& args) {
        return Variant(desktop_.findWindow(textOrAny(args, 0), textOrAny(args, 1)));
    });
    method(u"IsWindowVisible",
           [this](Arguments& args) { return userTruth(desktop_.isVisible(handleAt(args, 0))); });
    method(u"IsIconic",
           [this](Arguments& args) { return userTruth(desktop_.isMinimized(handleAt(args, 0))); });
    method(u"GetWindowText", [this](Arguments& args) {
        return Variant(desktop_.windowText(handleAt(args, 0), kLongestTitle));
    });
    method(u"GetForegroundWindow", [](Arguments&) {
        return Variant(
            static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(::GetForegroundWindow())));
    });
    method(u"SendMessage", [this](Arguments& args) {
        const WindowHandle window = handleAt(args, 0);
        if (vb::cLng(requiredArgument(args, 1)) != WM_CLOSE)
            throw errors::invalidCall();
        desktop_.closeWindow(window);
        return Variant(std::int32_t{0});
    });
    method(u"WindowCount", [wordProcess](Arguments& args) {
        Census census{vb::cStr(requiredArgument(args, 0)), wordProcess};
        ::EnumWindows(&countTopLevel, reinterpret_cast<LPARAM>(&census));
        return Variant(census.count);
    });
}

}  // namespace k72645::e2e
