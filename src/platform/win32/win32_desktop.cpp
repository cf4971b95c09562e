#include "platform/win32/win32_desktop.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace k72645::win32 {

namespace {
// Window handles are 32-bit values, also in a 64-bit process (user32 keeps them so).
HWND hwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(window));
}
WindowHandle handle(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<INT_PTR>(window));
}

std::string ansi(const std::u16string& text) {
    if (text.empty())
        return {};
    const wchar_t* source = reinterpret_cast<const wchar_t*>(text.data());
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_ACP, 0, source, size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, source, size, result.data(), length, nullptr, nullptr);
    return result;
}

std::u16string fromAnsi(const char* text, int length) {
    if (length <= 0)
        return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    std::u16string result(static_cast<std::size_t>(size), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text, length, reinterpret_cast<wchar_t*>(result.data()), size);
    return result;
}

// No value is user32's NULL: any class or title.
const char* orNull(const std::optional<std::string>& text) {
    return text ? text->c_str() : nullptr;
}
std::optional<std::string> ansi(const WindowText& text) {
    if (!text)
        return std::nullopt;
    return ansi(*text);
}

UINT relationCommand(WindowRelation relation) {
    switch (relation) {
        case WindowRelation::Next:
            return GW_HWNDNEXT;
        case WindowRelation::Previous:
            return GW_HWNDPREV;
        case WindowRelation::Owner:
            return GW_OWNER;
        case WindowRelation::FirstChild:
            return GW_CHILD;
    }
    return GW_HWNDNEXT;
}

int showCommand(ShowCommand command) {
    switch (command) {
        case ShowCommand::Hide:
            return SW_HIDE;
        case ShowCommand::Normal:
            return SW_SHOWNORMAL;
        case ShowCommand::Minimized:
            return SW_SHOWMINIMIZED;
        case ShowCommand::Maximized:
            return SW_SHOWMAXIMIZED;
        case ShowCommand::Restore:
            return SW_RESTORE;
    }
    return SW_SHOWNORMAL;
}
}  // namespace

WindowHandle Win32Desktop::findWindow(const WindowText& className, const WindowText& title) {
    const std::optional<std::string> c = ansi(className), t = ansi(title);
    return handle(::FindWindowA(orNull(c), orNull(t)));
}

WindowHandle Win32Desktop::findChildWindow(WindowHandle parent, WindowHandle childAfter) {
    return handle(::FindWindowExA(hwnd(parent), hwnd(childAfter), nullptr, nullptr));
}

bool Win32Desktop::windowExists(WindowHandle window) {
    return ::IsWindow(hwnd(window)) != 0;
}

std::u16string Win32Desktop::windowText(WindowHandle window, std::size_t maxLength) {
    // The buffer holds maxLength characters and the terminating null.
    const int size = static_cast<int>(std::min<std::size_t>(maxLength, 0x7ffffffe) + 1);
    std::vector<char> buffer(static_cast<std::size_t>(size) + 1, '\0');
    const int copied = ::GetWindowTextA(hwnd(window), buffer.data(), size);
    return fromAnsi(buffer.data(), copied);
}

WindowHandle Win32Desktop::relatedWindow(WindowHandle window, WindowRelation relation) {
    return handle(::GetWindow(hwnd(window), relationCommand(relation)));
}

WindowHandle Win32Desktop::parentWindow(WindowHandle window) {
    return handle(::GetParent(hwnd(window)));
}

std::uint32_t Win32Desktop::windowProcess(WindowHandle window) {
    DWORD process = 0;
    if (::GetWindowThreadProcessId(hwnd(window), &process) == 0)
        return 0;
    return process;
}

bool Win32Desktop::hasModalFrame(WindowHandle window) {
    return (::GetWindowLongA(hwnd(window), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME) != 0;
}

bool Win32Desktop::isVisible(WindowHandle window) {
    return ::IsWindowVisible(hwnd(window)) != 0;
}

bool Win32Desktop::isMinimized(WindowHandle window) {
    return ::IsIconic(hwnd(window)) != 0;
}

void Win32Desktop::show(WindowHandle window, ShowCommand command) {
    ::ShowWindow(hwnd(window), showCommand(command));
}

void Win32Desktop::bringToForeground(WindowHandle window) {
    ::SetForegroundWindow(hwnd(window));
}

void Win32Desktop::lockDrawing(WindowHandle window) {
    // user32 takes no window as a release: a lock is always of a window.
    if (window != 0)
        ::LockWindowUpdate(hwnd(window));
}

void Win32Desktop::unlockDrawing() {
    ::LockWindowUpdate(nullptr);
}

void Win32Desktop::closeWindow(WindowHandle window) {
    ::SendMessageA(hwnd(window), WM_CLOSE, 0, 0);
}

void Win32Desktop::sendEscape() {
    INPUT keys[2]{};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, keys, sizeof(INPUT));

    // Wait until the window that received the key has taken it: its process goes idle again,
    // and a message sent to the window behind the key comes back.
    const HWND target = ::GetForegroundWindow();
    if (!target)
        return;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(target, &processId);
    if (HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId)) {
        ::WaitForInputIdle(process, 5000);
        ::CloseHandle(process);
    }
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(target, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
}

}  // namespace k72645::win32
