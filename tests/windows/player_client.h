// What the Windows test clients share: the player's AbstractModule interface, declared here on its
// own from the player's library (so that a vtable of the component that strays from it is caught),
// its IID, and the pass/fail lines they print.
#pragma once

#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <cstdio>
#include <string>

// Outside any anonymous namespace: the compiler must not conclude that no class implements it.
namespace player {
struct AbstractModule : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_BravoNuance(VARIANT_BOOL*) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Complement(IDispatch**) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CauseErreur(BSTR*) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ErreurGenerale(VARIANT_BOOL*) = 0;
    virtual HRESULT STDMETHODCALLTYPE Fermer() = 0;
    virtual HRESULT STDMETHODCALLTYPE InitQuestion(LONG, BSTR, IDispatch**, LONG*, BSTR) = 0;
    virtual HRESULT STDMETHODCALLTYPE Quitter(IDispatch**, LONG*) = 0;
    virtual HRESULT STDMETHODCALLTYPE TestePoint() = 0;
};
}  // namespace player

namespace k72645::windows_test {

using player::AbstractModule;

inline const IID kIidAbstractModule = {
    0xb89debfe, 0x53ac, 0x11d3, {0x9c, 0x0a, 0x00, 0x40, 0x33, 0xa6, 0x58, 0x46}};

// Counts the failed checks of a client's run.
inline int failures = 0;

inline void check(bool condition, const std::string& what) {
    std::printf("%s: %s\n", condition ? "ok  " : "FAIL", what.c_str());
    if (!condition)
        ++failures;
}

// The full path of the DLL named by the client's one argument, or nothing (after printing the
// usage line) when the client was not given exactly one.
inline bool dllArgument(int argc, wchar_t** argv, const char* client, std::wstring& dll) {
    if (argc != 2) {
        std::printf("usage: %s <path of k72645.dll>\n", client);
        return false;
    }
    wchar_t full[MAX_PATH] = {};
    GetFullPathNameW(argv[1], MAX_PATH, full, nullptr);
    dll = full;
    return true;
}

inline std::wstring text(BSTR value) {
    return value ? std::wstring(value, SysStringLen(value)) : L"";
}

}  // namespace k72645::windows_test
