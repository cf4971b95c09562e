// The COM bridges in one process, run under Wine for each bitness: an engine object served as an
// IDispatch (the server-side template) and a foreign IDispatch called as an engine object (the
// client-side wrapper). Both must leave in the caller's by-reference variables what the callee
// wrote there, even when the call fails, and carry whole numbers by reference so that a member
// taking a Long accepts them. A reference to a VARIANT that holds another reference writes
// through to the caller's variable; a null one, or one that loops, names no variable. A served
// object lives until the call that released it has ended. Memory running out never throws into
// COM's caller. A failed call's error is never taken from an error object left on the thread by
// an earlier call. A refused VARIANT type frees its copy. An object expected as a type another
// object taught asks for no type information. Word's server counts LockServer locks.
// Usage: k72645_bridge_test
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <new>
#include <string>
#include <typeinfo>
#include <vector>

#include "automation/automation_object.h"
#include "automation/com_error.h"
#include "platform/win32/engine_dispatch.h"
#include "platform/win32/foreign_dispatch.h"
#include "sim/win32host/class_object.h"
#include "tests/windows/player_client.h"

namespace {

using k72645::Arguments;
using k72645::ComError;
using k72645::Dispatch;
using k72645::InvokeKind;
using k72645::Variant;
using k72645::windows_test::check;
using k72645::windows_test::failures;
using k72645::windows_test::text;
namespace win32 = k72645::win32;

constexpr HRESULT kRefusedCall = static_cast<HRESULT>(0x800A0005);   // VB error 5
constexpr HRESULT kOverflow = static_cast<HRESULT>(0x800A0006);      // VB error 6
constexpr HRESULT kTypeMismatch = static_cast<HRESULT>(0x800A000D);  // VB error 13
constexpr LCID kCallerLocale = 0x0809;

// An engine object whose members write into every by-reference argument: "Name" a word, the
// others 70000; "FillThenFail" then fails.
class Filler : public Dispatch {
public:
    Variant invoke(std::u16string_view member, InvokeKind, Arguments& args) override {
        for (auto& arg : args)
            if (arg.byRef)
                arg.value = member == u"name" ? Variant(std::u16string(u"word"))
                                              : Variant(std::int32_t{70000});
        if (member == u"fillthenfail")
            throw k72645::errors::runtime(5);
        return Variant();
    }
};

// Calls a member of a served object with by-reference arguments (given first to last).
HRESULT callServed(IDispatch* served, const wchar_t* member, VARIANT* args, UINT count,
                   EXCEPINFO& exception) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(member)};
    served->GetIDsOfNames(IID_NULL, names, 1, kCallerLocale, &id);
    DISPPARAMS parameters{args, nullptr, count, 0};
    exception = EXCEPINFO{};
    const HRESULT hr = served->Invoke(id, IID_NULL, kCallerLocale, DISPATCH_METHOD, &parameters,
                                      nullptr, &exception, nullptr);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return hr;
}

// An engine object of the component holding another object.
class Holder : public Dispatch {
public:
    Variant invoke(std::u16string_view, InvokeKind, Arguments&) override { return Variant(); }
    k72645::DispatchPtr held;
};

void servedEngineObject() {
    IDispatch* served = win32::NativeDispatch::create(std::make_shared<Filler>());
    EXCEPINFO exception{};

    // A failed call still writes back what the member left before failing.
    BSTR word = SysAllocString(L"kept");
    VARIANT holder;
    VariantInit(&holder);
    V_VT(&holder) = VT_I2;
    V_I2(&holder) = 5;
    VARIANT failing[2];
    V_VT(&failing[1]) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&failing[1]) = &word;
    V_VT(&failing[0]) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&failing[0]) = &holder;
    HRESULT hr = callServed(served, L"FillThenFail", failing, 2, exception);
    check(hr == DISP_E_EXCEPTION && exception.scode == kRefusedCall,
          "served: a failing member's error reaches the caller");
    check(text(word) == L"70000" && V_VT(&holder) == VT_I4 && V_I4(&holder) == 70000,
          "served: after a failed call the by-reference variables hold what the member left");

    // A Long too large for the caller's Integer fails the call as an overflow, and no variable
    // is written (not even one that could hold it).
    LONG wide = 1;
    SHORT narrow = 2;
    VARIANT overflowing[2];
    V_VT(&overflowing[1]) = VT_BYREF | VT_I4;
    V_I4REF(&overflowing[1]) = &wide;
    V_VT(&overflowing[0]) = VT_BYREF | VT_I2;
    V_I2REF(&overflowing[0]) = &narrow;
    hr = callServed(served, L"Fill", overflowing, 2, exception);
    check(hr == DISP_E_EXCEPTION && exception.scode == kOverflow,
          "served: a value the caller's Integer cannot hold is an overflow");
    check(wide == 1 && narrow == 2, "served: after an overflow no variable is written");
    hr = callServed(served, L"Name", overflowing, 1, exception);
    check(hr == DISP_E_EXCEPTION && exception.scode == kTypeMismatch && narrow == 2,
          "served: a word for the caller's Integer is a type mismatch, the variable unwritten");
    hr = callServed(served, L"Fill", nullptr, 1, exception);
    check(hr == E_INVALIDARG, "served: arguments counted but not given are refused");

    // The same Long goes into a Long, into a VARIANT and over a string.
    V_VT(&holder) = VT_I2;
    SysFreeString(word);
    word = SysAllocString(L"kept");
    VARIANT fitting[3];
    V_VT(&fitting[2]) = VT_BYREF | VT_I4;
    V_I4REF(&fitting[2]) = &wide;
    V_VT(&fitting[1]) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&fitting[1]) = &holder;
    V_VT(&fitting[0]) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&fitting[0]) = &word;
    hr = callServed(served, L"Fill", fitting, 3, exception);
    check(hr == S_OK && wide == 70000 && V_VT(&holder) == VT_I4 && V_I4(&holder) == 70000 &&
              text(word) == L"70000",
          "served: a successful call writes every by-reference variable in its own type");

    SysFreeString(word);
    served->Release();
}

// A reference to a VARIANT that holds a reference is the caller's variable at its end; a null
// reference, or references that loop, name no variable: read as Empty, written nowhere.
void referenceChains() {
    IDispatch* served = win32::NativeDispatch::create(std::make_shared<Filler>());
    EXCEPINFO exception{};
    LONG number = 1;
    VARIANT passedOn;
    V_VT(&passedOn) = VT_BYREF | VT_I4;
    V_I4REF(&passedOn) = &number;
    VARIANT chained[1];
    V_VT(&chained[0]) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&chained[0]) = &passedOn;
    HRESULT hr = callServed(served, L"Fill", chained, 1, exception);
    check(hr == S_OK && number == 70000 && V_VT(&passedOn) == (VT_BYREF | VT_I4) &&
              V_I4REF(&passedOn) == &number,
          "served: a reference passed on by reference writes into the caller's variable");

    VARIANT none[1];
    V_VT(&none[0]) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&none[0]) = nullptr;
    hr = callServed(served, L"Fill", none, 1, exception);
    check(hr == S_OK && V_VARIANTREF(&none[0]) == nullptr,
          "served: a null reference is read as Empty and written nowhere");

    VARIANT loop;
    V_VT(&loop) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&loop) = &loop;
    hr = callServed(served, L"Fill", &loop, 1, exception);
    check(hr == S_OK && V_VARIANTREF(&loop) == &loop, "served: references that loop end");
    served->Release();
}

// What one served object saw: its calls' ends and its release, in order.
struct TracingBridge {
    std::shared_ptr<std::vector<std::string>> events;
    win32::MemberNames names_;

    win32::MemberNames& names() { return names_; }
    ITypeInfo* typeInfo() { return nullptr; }
    const win32::ObjectMapping& objects() const { return win32::componentObjects(); }
    void lookedUp(LCID, const std::u16string&) {}
    void invoked(LCID) {}
    void afterCall() { events->push_back("call ended"); }
    void released(const k72645::DispatchPtr&) { events->push_back("released"); }
    static void afterObjectGone() {}
    static const IID& privateIid() {
        // {0C3A6E52-1B7D-4E2F-9A84-5D6C7B8E9F01}
        static const IID iid = {
            0x0c3a6e52, 0x1b7d, 0x4e2f, {0x9a, 0x84, 0x5d, 0x6c, 0x7b, 0x8e, 0x9f, 0x01}};
        return iid;
    }
    static constexpr bool kCountsConnections = false;
    void connected(const k72645::DispatchPtr&, bool) {}
};

// An engine object whose member lets its own COM object go, as a client's handler run during
// the call may release the client's last reference.
class LettingGo : public Dispatch {
public:
    Variant invoke(std::u16string_view, InvokeKind, Arguments&) override {
        wrapper->Release();
        return Variant();
    }
    IDispatch* wrapper = nullptr;
};

void releasedDuringACall() {
    auto events = std::make_shared<std::vector<std::string>>();
    auto engine = std::make_shared<LettingGo>();
    IDispatch* served =
        win32::EngineDispatch<TracingBridge>::create(engine, TracingBridge{events, {}});
    engine->wrapper = served;
    EXCEPINFO exception{};
    const HRESULT hr = callServed(served, L"LetGo", nullptr, 0, exception);
    check(hr == S_OK && *events == std::vector<std::string>{"call ended", "released"},
          "served: an object released during a call lives until the call has ended");
}

// An engine object that runs out of memory: listing its members, or in a member.
class Starved : public Dispatch {
public:
    Variant invoke(std::u16string_view, InvokeKind, Arguments&) override { throw std::bad_alloc(); }
    std::vector<std::u16string> memberNames() const override { throw std::bad_alloc(); }
};

void outOfMemory() {
    IDispatch* served = win32::NativeDispatch::create(std::make_shared<Starved>());
    DISPPARAMS none{};
    EXCEPINFO exception{};
    HRESULT hr = E_FAIL;
    bool escaped = false;
    try {
        // An identifier never given out: the object's members are listed to find its name.
        hr = served->Invoke(12345, IID_NULL, kCallerLocale, DISPATCH_METHOD, &none, nullptr,
                            &exception, nullptr);
    } catch (...) {
        escaped = true;
    }
    check(!escaped && hr == E_OUTOFMEMORY,
          "served: memory running out while the call is resolved fails it as E_OUTOFMEMORY");
    hr = callServed(served, L"Anything", nullptr, 0, exception);
    check(hr == DISP_E_EXCEPTION && exception.scode == static_cast<HRESULT>(0x800A0007),
          "served: memory running out in a member is VB's error 7");
    served->Release();
}

// An object with a member table, served twice with identifiers of their own, stands for one type
// served by two processes: an identifier resolved on the first must name the same member on the
// second, which was never asked for it, as a client keeps Word's identifiers across its restarts.
class Counter : public k72645::AutomationObject {
public:
    Counter() {
        method(u"Up", [this](Arguments&) { return Variant(++count_); });
        method(u"Down", [this](Arguments&) { return Variant(--count_); });
    }

private:
    std::int32_t count_ = 0;
};

void identifiersAcrossServers() {
    IDispatch* first = win32::NativeDispatch::create(std::make_shared<Counter>());
    IDispatch* second = win32::NativeDispatch::create(std::make_shared<Counter>());
    DISPID down = DISPID_UNKNOWN;
    DISPID up = DISPID_UNKNOWN;
    LPOLESTR downName[] = {const_cast<LPOLESTR>(L"Down")};
    LPOLESTR upName[] = {const_cast<LPOLESTR>(L"UP")};
    first->GetIDsOfNames(IID_NULL, downName, 1, kCallerLocale, &down);
    first->GetIDsOfNames(IID_NULL, upName, 1, kCallerLocale, &up);
    DISPPARAMS none{};
    VARIANT result;
    VariantInit(&result);
    const HRESULT hr = second->Invoke(down, IID_NULL, kCallerLocale, DISPATCH_METHOD, &none,
                                      &result, nullptr, nullptr);
    check(hr == S_OK && V_VT(&result) == VT_I4 && V_I4(&result) == -1,
          "served: an identifier from another server of the type names the same member");
    check(down != up && down > 0 && up > 0, "served: members get distinct positive identifiers");
    second->Release();
    first->Release();
}

// A typed member as Word and the component have them: "Grow" takes a reference to a Long and
// sets it to 70000; "GrowThenFail" sets it to 99, then fails. A reference to anything else is a
// type mismatch, as the type information's Invoke gives it.
class LongTaker : public IDispatch {
public:
    std::atomic<ULONG> references{1};
    LCID lastLocale = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch)) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID locale,
                                            DISPID* ids) override {
        lastLocale = locale;
        const std::wstring name = names[0];
        ids[0] = name == L"Grow" ? 1 : name == L"GrowThenFail" ? 2 : DISPID_UNKNOWN;
        return ids[0] == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID locale, WORD, DISPPARAMS* parameters,
                                     VARIANT*, EXCEPINFO* exception, UINT* argumentError) override {
        lastLocale = locale;
        if (parameters->cArgs != 1 || V_VT(&parameters->rgvarg[0]) != (VT_BYREF | VT_I4)) {
            *argumentError = 0;
            return DISP_E_TYPEMISMATCH;
        }
        if (id == 1) {
            *V_I4REF(&parameters->rgvarg[0]) = 70000;
            return S_OK;
        }
        *V_I4REF(&parameters->rgvarg[0]) = 99;
        *exception = EXCEPINFO{};
        exception->scode = kRefusedCall;
        return DISP_E_EXCEPTION;
    }
};

void foreignObject() {
    LongTaker taker;
    {
        const auto calls = win32::ForeignCalls::create(kCallerLocale);
        const auto object = win32::ForeignDispatch::wrap(&taker, calls);

        Arguments args{k72645::Argument::ref(Variant(std::int16_t{5}))};
        try {
            object->invoke(u"Grow", InvokeKind::Method, args);
            check(args[0].value.type() == Variant::Type::Long && args[0].value.long32() == 70000,
                  "foreign: an Integer by reference reaches a member taking a Long and comes "
                  "back as the Long it set");
        } catch (const ComError& error) {
            check(false, "foreign: an Integer by reference reaches a member taking a Long (error " +
                             std::to_string(error.number()) + ")");
        }
        check(taker.lastLocale == kCallerLocale, "foreign: calls go under the caller's locale");

        args = {k72645::Argument::ref(Variant(std::int16_t{5}))};
        std::int32_t number = 0;
        try {
            object->invoke(u"GrowThenFail", InvokeKind::Method, args);
        } catch (const ComError& error) {
            number = error.number();
        }
        check(number == 5, "foreign: a failing member's error reaches the engine");
        check(args[0].value.type() == Variant::Type::Long && args[0].value.long32() == 99,
              "foreign: after a failed call the by-reference argument holds what the member left");
    }
    check(taker.references == 1, "foreign: the wrapper gives back every reference it took");

    // The component's own calls give their references back when the component's call ends.
    {
        const auto object = win32::ForeignDispatch::wrap(&taker, win32::ForeignCalls::component());
        Arguments args{k72645::Argument::ref(Variant(std::int32_t{5}))};
        object->invoke(u"Grow", InvokeKind::Method, args);
    }
    check(taker.references > 1, "foreign: the component's references wait for its call's end");
    IDispatch* call = win32::NativeDispatch::create(std::make_shared<Filler>());
    EXCEPINFO exception{};
    callServed(call, L"Name", nullptr, 0, exception);
    call->Release();
    check(taker.references == 1, "foreign: and come back when one of its calls has ended");

    // An object of the component let go by its client gives back at once what it held: nothing
    // waits for a next call that may come after Word's process has gone.
    {
        auto holder = std::make_shared<Holder>();
        holder->held = win32::ForeignDispatch::wrap(&taker, win32::ForeignCalls::component());
        IDispatch* served = win32::NativeDispatch::create(std::move(holder));
        served->Release();
    }
    check(taker.references == 1, "foreign: an object of the component let go gives back its hold");
}

// Objects of one typed kind, as Word's are: each answers GetTypeInfo with the kind's type
// information, and counts in the kind what it is asked (every answer of Word's costs a round trip).
struct TypedKind {
    ITypeInfo* info = nullptr;
    int typeQuestions = 0;
    int nameLookups = 0;
};

class TypedWordObject : public IDispatch {
public:
    explicit TypedWordObject(TypedKind& kind) : kind_(kind) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch)) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<IDispatch*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        ++kind_.typeQuestions;
        kind_.info->AddRef();
        *info = kind_.info;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID* ids) override {
        ++kind_.nameLookups;
        ids[0] = 7;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return S_OK;
    }

private:
    TypedKind& kind_;
};

// The typed layer's keys for the kinds.
struct DocumentKey {};
struct RangeKey {};

// An object its caller expects as a type that another object so expected taught asks nothing of
// its own type; one expected as a type not yet taught, or not expected at all, asks.
void expectedTypes() {
    ICreateTypeLib2* library = nullptr;
    ICreateTypeInfo* create = nullptr;
    TypedKind kind;
    if (FAILED(CreateTypeLib2(sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32, L"bridge-test.tlb",
                              &library)) ||
        FAILED(
            library->CreateTypeInfo(const_cast<LPOLESTR>(L"Document"), TKIND_DISPATCH, &create))) {
        check(false, "expected types: a type information could be made");
        return;
    }
    // {6B1D2E43-8F5A-4C07-9E3B-A1D4C7F20856}
    const GUID document = {
        0x6b1d2e43, 0x8f5a, 0x4c07, {0x9e, 0x3b, 0xa1, 0xd4, 0xc7, 0xf2, 0x08, 0x56}};
    create->SetGuid(document);
    create->LayOut();
    create->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(&kind.info));
    create->Release();
    library->Release();

    TypedWordObject first(kind), second(kind), third(kind), fourth(kind);
    const auto calls = win32::ForeignCalls::create(kCallerLocale);
    const auto callName = [&](TypedWordObject& object, const std::type_info* key) {
        const auto wrapped = win32::ForeignDispatch::wrap(&object, calls);
        if (key)
            wrapped->expectType(*key);
        Arguments none;
        wrapped->invoke(u"Name", InvokeKind::PropertyGet, none);
    };
    callName(first, &typeid(DocumentKey));
    callName(second, &typeid(DocumentKey));
    check(kind.typeQuestions == 1 && kind.nameLookups == 1,
          "expected types: the second object expected as a taught type asks nothing");
    callName(third, &typeid(RangeKey));
    callName(fourth, nullptr);
    check(kind.typeQuestions == 3 && kind.nameLookups == 1,
          "expected types: an object of an untaught key, or of none, asks its type");
    kind.info->Release();
}

// Word's process gone: a call fails with RPC_E_SERVER_DIED and sets no error object. Word alive
// failing a call with E_FAIL and its error object, when it says it sets one (ISupportErrorInfo).
class FailingWord : public IDispatch, public ISupportErrorInfo {
public:
    HRESULT failure = RPC_E_SERVER_DIED;
    bool setsErrorInfo = false;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *out = static_cast<IDispatch*>(this);
        } else if (setsErrorInfo && IsEqualIID(iid, IID_ISupportErrorInfo)) {
            *out = static_cast<ISupportErrorInfo*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID* ids) override {
        ids[0] = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        if (setsErrorInfo)
            setThreadError(L"Word", L"Word's own failure");
        return failure;
    }
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
        return IsEqualIID(iid, IID_IDispatch) ? S_OK : S_FALSE;
    }

    static void setThreadError(const wchar_t* source, const wchar_t* description) {
        ICreateErrorInfo* create = nullptr;
        if (FAILED(CreateErrorInfo(&create)))
            return;
        create->SetSource(const_cast<LPOLESTR>(source));
        create->SetDescription(const_cast<LPOLESTR>(description));
        IErrorInfo* info = nullptr;
        create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
        SetErrorInfo(0, info);
        info->Release();
        create->Release();
    }
};

void staleErrorObject() {
    FailingWord word;
    const auto calls = win32::ForeignCalls::create(kCallerLocale);
    const auto object = win32::ForeignDispatch::wrap(&word, calls);
    const auto failed = [&]() -> ComError {
        Arguments none;
        try {
            object->invoke(u"Visible", InvokeKind::PropertyGet, none);
        } catch (const ComError& error) {
            return error;
        }
        return ComError(0, u"", u"");
    };
    // An error object left by an earlier call (of anyone's) is still on the thread.
    FailingWord::setThreadError(L"earlier", L"an earlier call's failure");
    ComError error = failed();
    check(error.number() == 462 && error.source() != u"earlier",
          "foreign: a gone Word is error 462, whatever error object an earlier call left");
    word.failure = E_FAIL;
    FailingWord::setThreadError(L"earlier", L"an earlier call's failure");
    error = failed();
    check(error.description() != u"an earlier call's failure",
          "foreign: an object that sets no error object is not given an earlier one");
    word.setsErrorInfo = true;
    error = failed();
    check(error.number() == static_cast<std::int32_t>(E_FAIL) && error.source() == u"Word" &&
              error.description() == u"Word's own failure",
          "foreign: the error object of an object that sets one is its failure's");
}

// A VARIANT type the engine has no value for is refused, and the copy read through the reference
// is freed with what it holds: here an array holding an object, whose reference comes back.
void rejectedTypeFreed() {
    LongTaker element;
    SAFEARRAY* array = SafeArrayCreateVector(VT_DISPATCH, 0, 1);
    LONG index = 0;
    SafeArrayPutElement(array, &index, static_cast<IDispatch*>(&element));
    const ULONG before = element.references;
    VARIANT arg[1];
    V_VT(&arg[0]) = VT_BYREF | VT_ARRAY | VT_DISPATCH;
    V_ARRAYREF(&arg[0]) = &array;
    IDispatch* served = win32::NativeDispatch::create(std::make_shared<Filler>());
    EXCEPINFO exception{};
    const HRESULT hr = callServed(served, L"Fill", arg, 1, exception);
    served->Release();
    check(hr == DISP_E_EXCEPTION && exception.scode == kTypeMismatch,
          "served: an array is refused as a type mismatch");
    check(element.references == before, "served: the refused array's copy is freed");
    SafeArrayDestroy(array);
}

// Word's server counts the locks its clients take through any of its class objects, and ignores
// an unlock that no lock matches.
void serverLocks() {
    std::atomic<int> locks{0};
    k72645::sim::win32host::ClassObject word([](REFIID, void**) { return E_NOTIMPL; }, locks);
    k72645::sim::win32host::ClassObject global([](REFIID, void**) { return E_NOTIMPL; }, locks);
    word.LockServer(FALSE);
    word.LockServer(TRUE);
    global.LockServer(TRUE);
    check(locks == 2, "server locks: each lock counts, an unmatched unlock does not");
    word.LockServer(FALSE);
    global.LockServer(FALSE);
    check(locks == 0, "server locks: each unlock releases one");
}

}  // namespace

int main() {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::printf("FAIL: COM could not be initialised\n");
        return 1;
    }
    servedEngineObject();
    referenceChains();
    releasedDuringACall();
    outOfMemory();
    identifiersAcrossServers();
    foreignObject();
    expectedTypes();
    staleErrorObject();
    rejectedTypeFreed();
    serverLocks();
    CoUninitialize();
    std::printf("%d failure(s)\n", failures);
    return failures == 0 ? 0 : 1;
}
