// The simulated Word's server as COM's clients meet it, run under Wine with the server registered
// (as the word-server stage registers it): a Word asked for just as the last one quit, at any
// moment of the server's end, is served by that server or by a new one, never lost in the end.
// Usage: k72645_word_server_client
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/windows/player_client.h"

namespace {

using k72645::windows_test::check;
using k72645::windows_test::failures;

// Word 2003's class.
const CLSID kWordApplicationClsid = {
    0x000209ff, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Calls a member without arguments; S_OK or the failure, the result in `result` when given.
HRESULT call(IDispatch* object, const wchar_t* member, WORD flags, VARIANT* result = nullptr) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(member)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        return hr;
    DISPPARAMS none{};
    EXCEPINFO exception{};
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &none, result, &exception,
                        nullptr);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return hr;
}

// A Word that answers: its Name read back.
bool answers(IDispatch* word) {
    VARIANT name;
    VariantInit(&name);
    const bool ok = call(word, L"Name", DISPATCH_PROPERTYGET, &name) == S_OK;
    VariantClear(&name);
    return ok;
}

// Quitter followed by InitQuestion, as the player plays them: the last Word quits, and a new one
// is asked for after a pause that moves, round by round, across the server's end. A server that
// took the request (gave its class object) must make the Word and keep it running: a Word made
// by a server that then ends, or a call refused by a server that is ending, is lost work.
// Reaching no class object at all (Wine refuses so an activation that meets the instant the
// classes are withdrawn) is asked again at once, as a new server then takes it.
void wordAskedForAsTheLastQuits() {
    constexpr int kRounds = 24;
    constexpr DWORD kPauseStepMs = 30;
    int served = 0;
    for (int round = 0; round < kRounds; ++round) {
        IDispatch* word = nullptr;
        HRESULT hr = E_FAIL;
        // Wine answers E_FAIL when it reached no class object; lost work fails otherwise.
        for (int attempt = 0; attempt < 2 && hr == E_FAIL; ++attempt)
            hr = CoCreateInstance(kWordApplicationClsid, nullptr, CLSCTX_LOCAL_SERVER,
                                  IID_IDispatch, reinterpret_cast<void**>(&word));
        if (SUCCEEDED(hr) && word && answers(word))
            ++served;
        else
            std::printf("      round %d: 0x%08lX\n", round, static_cast<unsigned long>(hr));
        if (word) {
            call(word, L"Quit", DISPATCH_METHOD);
            word->Release();
        }
        Sleep(kPauseStepMs * static_cast<DWORD>(round));
    }
    check(served == kRounds, "a Word asked for as the last one quits is served, " +
                                 std::to_string(served) + " of " + std::to_string(kRounds));
}

}  // namespace

int main() {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::printf("FAIL: COM could not be initialised\n");
        return 1;
    }
    wordAskedForAsTheLastQuits();
    CoUninitialize();
    std::printf("%s: %d failure(s)\n", failures ? "FAILED" : "PASSED", failures);
    return failures == 0 ? 0 : 1;
}
