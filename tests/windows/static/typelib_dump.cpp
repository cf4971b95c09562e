// Prints the type libraries of a DLL (its TYPELIB resources, in resource order) or of a .tlb file
// as canonical text, without registering anything: libraries, types, GUIDs, DISPIDs, members in
// vtable order, parameter names, types and flags. What depends on the bitness (the SYSKIND,
// vtable offsets, sizes and alignments) is left out, so the 32-bit and the 64-bit DLL must print
// the same text. The DLL is opened as a data file, so a 64-bit process reads a 32-bit DLL.
// Usage: k72645_typelib_dump <file.dll | file.tlb>.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string narrow(const wchar_t* text, UINT length) {
    std::string out;
    for (UINT i = 0; i < length; ++i)
        out += text[i] < 128 ? static_cast<char>(text[i]) : '?';
    return out;
}

std::string narrow(BSTR text) {
    return text ? narrow(text, SysStringLen(text)) : std::string();
}

std::string guidText(const GUID& guid) {
    wchar_t buffer[64] = {};
    StringFromGUID2(guid, buffer, 64);
    return narrow(buffer, static_cast<UINT>(wcslen(buffer)));
}

std::string typeName(ITypeInfo* info, const TYPEDESC& type);

std::string referencedName(ITypeInfo* info, HREFTYPE reference) {
    ITypeInfo* target = nullptr;
    if (FAILED(info->GetRefTypeInfo(reference, &target)))
        return "<unresolved>";
    BSTR name = nullptr;
    target->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
    std::string out = narrow(name);
    SysFreeString(name);
    target->Release();
    return out;
}

std::string typeName(ITypeInfo* info, const TYPEDESC& type) {
    switch (type.vt) {
        case VT_PTR:
            return typeName(info, *type.lptdesc) + "*";
        case VT_SAFEARRAY:
            return "SAFEARRAY(" + typeName(info, *type.lptdesc) + ")";
        case VT_CARRAY:
            return "CARRAY(" + typeName(info, type.lpadesc->tdescElem) + ")";
        case VT_USERDEFINED:
            return referencedName(info, type.hreftype);
        default:
            return "vt" + std::to_string(type.vt);
    }
}

std::string elementText(ITypeInfo* info, const ELEMDESC& element) {
    return typeName(info, element.tdesc) + " flags" + std::to_string(element.paramdesc.wParamFlags);
}

void printFunctions(ITypeInfo* info, const TYPEATTR& attributes) {
    for (UINT index = 0; index < attributes.cFuncs; ++index) {
        FUNCDESC* function = nullptr;
        if (FAILED(info->GetFuncDesc(index, &function))) {
            std::printf("    function %u: unreadable\n", index);
            continue;
        }
        std::vector<BSTR> names(function->cParams + 1);
        UINT count = 0;
        info->GetNames(function->memid, names.data(), static_cast<UINT>(names.size()), &count);
        std::printf("    function id=%ld %s kind=%d invoke=%d flags=%u optional=%d returns %s\n",
                    static_cast<long>(function->memid), narrow(names[0]).c_str(),
                    function->funckind, function->invkind, function->wFuncFlags,
                    function->cParamsOpt, elementText(info, function->elemdescFunc).c_str());
        for (SHORT p = 0; p < function->cParams; ++p) {
            const std::string name = p + 1 < static_cast<SHORT>(count) ? narrow(names[p + 1]) : "";
            std::printf("      param %s %s\n", name.c_str(),
                        elementText(info, function->lprgelemdescParam[p]).c_str());
        }
        for (UINT n = 0; n < count; ++n)
            SysFreeString(names[n]);
        info->ReleaseFuncDesc(function);
    }
}

void printVariables(ITypeInfo* info, const TYPEATTR& attributes) {
    for (UINT index = 0; index < attributes.cVars; ++index) {
        VARDESC* variable = nullptr;
        if (FAILED(info->GetVarDesc(index, &variable))) {
            std::printf("    variable %u: unreadable\n", index);
            continue;
        }
        BSTR name = nullptr;
        UINT count = 0;
        info->GetNames(variable->memid, &name, 1, &count);
        std::string value;
        if (variable->varkind == VAR_CONST && variable->lpvarValue) {
            VARIANT text;
            VariantInit(&text);
            if (SUCCEEDED(VariantChangeType(&text, variable->lpvarValue, 0, VT_BSTR)))
                value = " = " + narrow(text.bstrVal);
            VariantClear(&text);
        }
        std::printf("    variable id=%ld %s kind=%d %s%s\n", static_cast<long>(variable->memid),
                    narrow(name).c_str(), variable->varkind,
                    elementText(info, variable->elemdescVar).c_str(), value.c_str());
        SysFreeString(name);
        info->ReleaseVarDesc(variable);
    }
}

void printImplementedTypes(ITypeInfo* info, const TYPEATTR& attributes) {
    for (UINT index = 0; index < attributes.cImplTypes; ++index) {
        HREFTYPE reference = 0;
        INT flags = 0;
        info->GetRefTypeOfImplType(index, &reference);
        info->GetImplTypeFlags(index, &flags);
        std::printf("    implements %s flags=%d\n", referencedName(info, reference).c_str(), flags);
    }
}

void printType(ITypeLib* library, UINT index) {
    ITypeInfo* info = nullptr;
    TYPEATTR* attributes = nullptr;
    if (FAILED(library->GetTypeInfo(index, &info)) || FAILED(info->GetTypeAttr(&attributes))) {
        std::printf("  type %u: unreadable\n", index);
        if (info)
            info->Release();
        return;
    }
    BSTR name = nullptr;
    library->GetDocumentation(static_cast<INT>(index), &name, nullptr, nullptr, nullptr);
    std::printf("  type %s kind=%d %s flags=%u version=%u.%u\n", narrow(name).c_str(),
                attributes->typekind, guidText(attributes->guid).c_str(), attributes->wTypeFlags,
                attributes->wMajorVerNum, attributes->wMinorVerNum);
    SysFreeString(name);
    if (attributes->typekind == TKIND_ALIAS)
        std::printf("    alias of %s\n", typeName(info, attributes->tdescAlias).c_str());
    printImplementedTypes(info, *attributes);
    printFunctions(info, *attributes);
    printVariables(info, *attributes);
    info->ReleaseTypeAttr(attributes);
    info->Release();
}

bool printLibrary(const std::wstring& path) {
    ITypeLib* library = nullptr;
    if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library)))
        return false;
    TLIBATTR* attributes = nullptr;
    library->GetLibAttr(&attributes);
    BSTR name = nullptr;
    library->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
    std::printf("library %s %s version=%u.%u lcid=%lu flags=%u\n", narrow(name).c_str(),
                guidText(attributes->guid).c_str(), attributes->wMajorVerNum,
                attributes->wMinorVerNum, static_cast<unsigned long>(attributes->lcid),
                attributes->wLibFlags);
    SysFreeString(name);
    library->ReleaseTLibAttr(attributes);
    const UINT count = library->GetTypeInfoCount();
    for (UINT index = 0; index < count; ++index)
        printType(library, index);
    library->Release();
    return true;
}

BOOL CALLBACK collectResource(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<unsigned>*>(found)->push_back(
            static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::printf("usage: k72645_typelib_dump <file.dll | file.tlb>\n");
        return 2;
    }
    wchar_t full[MAX_PATH] = {};
    GetFullPathNameW(argv[1], MAX_PATH, full, nullptr);
    const std::wstring path = full;
    CoInitialize(nullptr);
    std::vector<unsigned> resources;
    HMODULE image = LoadLibraryExW(path.c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (image) {
        EnumResourceNamesW(image, L"TYPELIB", collectResource,
                           reinterpret_cast<LONG_PTR>(&resources));
        FreeLibrary(image);
    }
    int status = 0;
    if (resources.empty()) {
        if (!printLibrary(path)) {
            std::printf("no type library in %ls\n", path.c_str());
            status = 1;
        }
    }
    for (unsigned id : resources) {
        if (!printLibrary(path + L"\\" + std::to_wstring(id))) {
            std::printf("type library %u of %ls does not load\n", id, path.c_str());
            status = 1;
        }
    }
    CoUninitialize();
    return status;
}
