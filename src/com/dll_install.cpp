#include "com/dll_install.h"

#include <cwctype>
#include <string>

#include "com/registration.h"

namespace k72645::com {

namespace {
// The command line without surrounding blanks, in lower case ("User" and " user" mean "user").
std::wstring normalized(const wchar_t* commandLine) {
    std::wstring text = commandLine ? commandLine : L"";
    const auto first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return L"";
    text = text.substr(first, text.find_last_not_of(L" \t") - first + 1);
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}
}  // namespace

HRESULT dllInstall(bool install, const wchar_t* commandLine) {
    const std::wstring scope = normalized(commandLine);
    if (scope.empty())
        return install ? registerServer() : unregisterServer();
    if (scope == L"user")
        return install ? registerServerForUser() : unregisterServerForUser();
    return E_INVALIDARG;
}

}  // namespace k72645::com
