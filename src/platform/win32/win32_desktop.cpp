#include "platform/win32/win32_desktop.h"

#include <windows.h>

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

// An empty string is user32's NULL: any class or title.
const char* orNull(const std::string& text, const std::u16string& given) {
    return given.empty() ? nullptr : text.c_str();
}

template <class Read>
std::int32_t readText(std::u16string& text, std::int32_t bufferSize, Read read) {
    if (bufferSize <= 0)
        return 0;
    std::vector<char> buffer(static_cast<std::size_t>(bufferSize) + 1, '\0');
    const int copied = read(buffer.data(), bufferSize);
    if (copied > 0)
        text = fromAnsi(buffer.data(), copied);
    return copied;
}
}  // namespace

WindowHandle Win32Desktop::FindWindowA(const std::u16string& className,
                                       const std::u16string& title) {
    const std::string c = ansi(className), t = ansi(title);
    return handle(::FindWindowA(orNull(c, className), orNull(t, title)));
}

WindowHandle Win32Desktop::FindWindowExA(WindowHandle parent, WindowHandle childAfter,
                                         const std::u16string& className,
                                         const std::u16string& title) {
    const std::string c = ansi(className), t = ansi(title);
    return handle(
        ::FindWindowExA(hwnd(parent), hwnd(childAfter), orNull(c, className), orNull(t, title)));
}

std::int32_t Win32Desktop::GetClassNameA(WindowHandle window, std::u16string& text,
                                         std::int32_t bufferSize) {
    return readText(text, bufferSize, [&](char* buffer, int size) {
        return ::GetClassNameA(hwnd(window), buffer, size);
    });
}

std::int32_t Win32Desktop::GetWindowTextA(WindowHandle window, std::u16string& text,
                                          std::int32_t bufferSize) {
    return readText(text, bufferSize, [&](char* buffer, int size) {
        return ::GetWindowTextA(hwnd(window), buffer, size);
    });
}

WindowHandle Win32Desktop::GetWindow(WindowHandle window, std::int32_t command) {
    return handle(::GetWindow(hwnd(window), static_cast<UINT>(command)));
}

WindowHandle Win32Desktop::GetParent(WindowHandle window) {
    return handle(::GetParent(hwnd(window)));
}

std::int32_t Win32Desktop::GetWindowLongA(WindowHandle window, std::int32_t index) {
    return static_cast<std::int32_t>(::GetWindowLongA(hwnd(window), index));
}

std::int32_t Win32Desktop::IsWindowVisible(WindowHandle window) {
    return ::IsWindowVisible(hwnd(window));
}

std::int32_t Win32Desktop::IsIconic(WindowHandle window) {
    return ::IsIconic(hwnd(window));
}

std::int32_t Win32Desktop::ShowWindow(WindowHandle window, std::int32_t command) {
    return ::ShowWindow(hwnd(window), command);
}

std::int32_t Win32Desktop::SetForegroundWindow(WindowHandle window) {
    return ::SetForegroundWindow(hwnd(window));
}

std::int32_t Win32Desktop::LockWindowUpdate(WindowHandle window) {
    return ::LockWindowUpdate(hwnd(window));
}

std::int32_t Win32Desktop::SendMessageA(WindowHandle window, std::int32_t message,
                                        std::int32_t wParam, std::int32_t lParam) {
    return static_cast<std::int32_t>(::SendMessageA(hwnd(window), static_cast<UINT>(message),
                                                    static_cast<WPARAM>(wParam),
                                                    static_cast<LPARAM>(lParam)));
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
