#include "sim/win32host/server/word_type_library.h"

#include <oaidl.h>
#include <oleauto.h>

#include "sim/win32host/word_host.h"

namespace k72645::sim::win32host {

namespace {

// {00020970-0000-0000-C000-000000000046}
constexpr IID kApplicationInterface = {
    0x00020970, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {000209B9-0000-0000-C000-000000000046}
constexpr IID kGlobalInterface = {
    0x000209b9, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

constexpr SYSKIND kSystem = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;

// Releases a COM pointer when it goes out of scope.
template <class T>
struct Held {
    T* p = nullptr;
    ~Held() {
        if (p)
            p->Release();
    }
    T** out() { return &p; }
    T* operator->() const { return p; }
};

// A dispatch interface deriving from IDispatch, without members of its own.
HRESULT addInterface(ICreateTypeLib2* library, ITypeInfo* dispatch, const wchar_t* name,
                     const IID& iid, ITypeInfo** made) {
    Held<ICreateTypeInfo> create;
    HRESULT hr = library->CreateTypeInfo(const_cast<LPOLESTR>(name), TKIND_DISPATCH, create.out());
    HREFTYPE base = 0;
    if (SUCCEEDED(hr))
        hr = create->SetGuid(iid);
    if (SUCCEEDED(hr))
        hr = create->SetTypeFlags(TYPEFLAG_FDISPATCHABLE | TYPEFLAG_FHIDDEN);
    if (SUCCEEDED(hr))
        hr = create->AddRefTypeInfo(dispatch, &base);
    if (SUCCEEDED(hr))
        hr = create->AddImplType(0, base);
    if (SUCCEEDED(hr))
        hr = create->LayOut();
    if (SUCCEEDED(hr))
        hr = create->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(made));
    return hr;
}

// A creatable class whose default interface is the one given.
HRESULT addClass(ICreateTypeLib2* library, ITypeInfo* interfaceInfo, const wchar_t* name,
                 const CLSID& clsid) {
    Held<ICreateTypeInfo> create;
    HRESULT hr = library->CreateTypeInfo(const_cast<LPOLESTR>(name), TKIND_COCLASS, create.out());
    HREFTYPE implemented = 0;
    if (SUCCEEDED(hr))
        hr = create->SetGuid(clsid);
    if (SUCCEEDED(hr))
        hr = create->SetTypeFlags(TYPEFLAG_FCANCREATE);
    if (SUCCEEDED(hr))
        hr = create->AddRefTypeInfo(interfaceInfo, &implemented);
    if (SUCCEEDED(hr))
        hr = create->AddImplType(0, implemented);
    if (SUCCEEDED(hr))
        hr = create->SetImplTypeFlags(0, IMPLTYPEFLAG_FDEFAULT);
    if (SUCCEEDED(hr))
        hr = create->LayOut();
    return hr;
}

}  // namespace

HRESULT registerWordTypeLibrary(const std::wstring& file) {
    Held<ITypeLib> standard;
    Held<ITypeInfo> dispatch;
    HRESULT hr = LoadRegTypeLib(IID_StdOle, 2, 0, 0, standard.out());
    if (SUCCEEDED(hr))
        hr = standard->GetTypeInfoOfGuid(IID_IDispatch, dispatch.out());
    Held<ICreateTypeLib2> library;
    if (SUCCEEDED(hr))
        hr = CreateTypeLib2(kSystem, file.c_str(), library.out());
    if (SUCCEEDED(hr))
        hr = library->SetGuid(kWordLibraryId);
    if (SUCCEEDED(hr))
        hr = library->SetName(const_cast<LPOLESTR>(L"Word"));
    if (SUCCEEDED(hr))
        hr = library->SetVersion(kWordLibraryMajor, kWordLibraryMinor);
    if (SUCCEEDED(hr))
        hr = library->SetLcid(LOCALE_NEUTRAL);
    if (SUCCEEDED(hr))
        hr = library->SetDocString(const_cast<LPOLESTR>(L"Microsoft Word 11.0 Object Library"));
    Held<ITypeInfo> application;
    Held<ITypeInfo> global;
    if (SUCCEEDED(hr))
        hr = addInterface(library.p, dispatch.p, L"_Application", kApplicationInterface,
                          application.out());
    if (SUCCEEDED(hr))
        hr = addInterface(library.p, dispatch.p, L"_Global", kGlobalInterface, global.out());
    if (SUCCEEDED(hr))
        hr = addClass(library.p, application.p, L"Application", kWordApplicationClsid);
    if (SUCCEEDED(hr))
        hr = addClass(library.p, global.p, L"Global", kWordGlobalClsid);
    if (SUCCEEDED(hr))
        hr = library->SaveAllChanges();
    Held<ITypeLib> saved;
    if (SUCCEEDED(hr))
        hr = LoadTypeLibEx(file.c_str(), REGKIND_NONE, saved.out());
    if (SUCCEEDED(hr))
        hr = RegisterTypeLib(saved.p, const_cast<LPOLESTR>(file.c_str()), nullptr);
    return hr;
}

HRESULT unregisterWordTypeLibrary() {
    return UnRegisterTypeLib(kWordLibraryId, kWordLibraryMajor, kWordLibraryMinor, LOCALE_NEUTRAL,
                             kSystem);
}

}  // namespace k72645::sim::win32host
