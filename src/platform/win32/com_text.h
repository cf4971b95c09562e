// Text across the COM boundary: the engine's UTF-16 strings as wide strings and BSTRs.
#pragma once

#include <oleauto.h>
#include <windows.h>

#include <string>

namespace k72645::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

inline const wchar_t* wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// A new BSTR holding the text (embedded nulls kept); the caller owns it.
inline BSTR toBstr(std::u16string_view text) {
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                             static_cast<UINT>(text.size()));
}

// The text of a BSTR; a null BSTR is the empty string.
inline std::u16string fromBstr(const BSTR text) {
    if (!text)
        return {};
    return std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

inline std::u16string fromWide(const wchar_t* text) {
    return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}

}  // namespace k72645::win32
