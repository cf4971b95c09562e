// A hostile player, run under Wine for each bitness: working folders that are not plain existing
// folders (a NUL inside, empty, NULL, relative, without its separator, missing, a forbidden
// character), arguments of the wrong types through IDispatch, a Word that calls back into the
// Module from inside one of its calls, an Invoke with an interface identifier other than
// IID_NULL, LockServer unbalanced, paths holding NUL given to the Win32 file-system port,
// variables passed on by reference or refused with the call, the player's Word given to a failing
// call, and the Module let go from inside one of its calls. Files
// around the working folder (sentinels) must stay as they are, every refusal must be the error the
// player is told of, and the process must live to the end. Usage: k72645_hostile_client <path of
// k72645.dll>.
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "automation/com_error.h"
#include "platform/win32/win32_file_system.h"
#include "tests/windows/player_client.h"
#include "tests/windows/regsvr32.h"

namespace {

using k72645::windows_test::AbstractModule;
using k72645::windows_test::check;
using k72645::windows_test::failures;
using k72645::windows_test::kIidAbstractModule;
using k72645::windows_test::text;

const CLSID kModuleClsid = {
    0x0f7e45e9, 0xddbf, 0x427e, {0xbf, 0x4f, 0x6d, 0x16, 0xb3, 0x9d, 0xd9, 0x84}};
constexpr HRESULT kBadFileName = static_cast<HRESULT>(0x800A0034);   // VB error 52
constexpr HRESULT kPathNotFound = static_cast<HRESULT>(0x800A004C);  // VB error 76
constexpr HRESULT kRefusedCall = static_cast<HRESULT>(0x800A0005);   // VB error 5

std::wstring located(const wchar_t* procedure) {
    return std::wstring(L"DLL K72645 - CLASSE Module\n\r - SERVICE ") + procedure +
           L" - OBJET K72645";
}

// The thread's error information: source and description.
std::pair<std::wstring, std::wstring> lastError() {
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || !info)
        return {};
    BSTR source = nullptr, description = nullptr;
    info->GetSource(&source);
    info->GetDescription(&description);
    std::pair<std::wstring, std::wstring> result{text(source), text(description)};
    SysFreeString(source);
    SysFreeString(description);
    info->Release();
    return result;
}

// Every file under a folder with its contents, to see that nothing changed.
using Snapshot = std::map<std::wstring, std::string>;

void snapshot(const std::wstring& folder, Snapshot& files) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring path = folder + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            files[path + L"\\"] = "";
            snapshot(path + L"\\", files);
            continue;
        }
        std::string bytes;
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            char buffer[256];
            DWORD read = 0;
            while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
                bytes.append(buffer, read);
            CloseHandle(file);
        }
        files[path] = bytes;
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void writeFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

void removeTree(const std::wstring& folder) {
    Snapshot files;
    snapshot(folder, files);
    for (auto it = files.rbegin(); it != files.rend(); ++it) {
        if (it->first.back() == L'\\')
            RemoveDirectoryW(it->first.c_str());
        else
            DeleteFileW(it->first.c_str());
    }
    RemoveDirectoryW(folder.c_str());
}

// The test area: root\work\ is the working folder, with the exercise's delivered files; around
// it lie files that a working folder taken wrongly would reach: the names glued to the folder's
// name, the working names in the folder above and in the process's current folder.
struct Area {
    std::wstring root, work, current;

    Area() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        root = std::wstring(temp) + L"k72645-hostile-" + std::to_wstring(GetCurrentProcessId()) +
               L"\\";
        work = root + L"work\\";
        current = root + L"current\\";
        CreateDirectoryW(root.c_str(), nullptr);
        CreateDirectoryW(work.c_str(), nullptr);
        CreateDirectoryW(current.c_str(), nullptr);
        writeFile(work + L"07264501.doc", "delivered document");
        writeFile(work + L"07264501.dot", "delivered template");
        writeFile(root + L"secret.txt", "not the exercise's");
        writeFile(root + L"Insertion.doc", "not the exercise's");
        writeFile(root + L"workInsertion.doc", "not the exercise's");
        writeFile(root + L"work07264501.doc", "not the exercise's");
        writeFile(current + L"Insertion.doc", "not the exercise's");
        writeFile(current + L"Lettre ORB.dot", "not the exercise's");
        SetCurrentDirectoryW(current.c_str());
    }
    ~Area() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        SetCurrentDirectoryW(temp);
        removeTree(root);
    }
    Snapshot files() const {
        Snapshot all;
        snapshot(root, all);
        return all;
    }
};

BSTR withLength(const std::wstring& value) {
    return SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
}

// InitQuestion through the vtable with a folder that must be refused before anything changes.
void refusedFolder(AbstractModule* module, const Area& area, const char* what, BSTR folder,
                   HRESULT expected, const wchar_t* description) {
    const Snapshot before = area.files();
    IDispatch* application = nullptr;
    LONG window = -1;
    const HRESULT hr = module->InitQuestion(501, folder, &application, &window, nullptr);
    const auto [source, text] = lastError();
    check(hr == expected, std::string(what) + ": refused with the expected error");
    check(source == located(L"InitQuestion"), std::string(what) + ": located Module/InitQuestion");
    check(text == description, std::string(what) + ": described");
    check(application == nullptr && window == -1, std::string(what) + ": arguments unchanged");
    check(area.files() == before, std::string(what) + ": no file changed");
    if (application)
        application->Release();
    SysFreeString(folder);
}

void checkFolders(AbstractModule* module, const Area& area) {
    const wchar_t* bad = L"Bad file name or number";
    std::wstring nul = area.work + L"07264501.doc";
    nul += L'\0';
    nul += L"\\";
    refusedFolder(module, area, "NUL after a delivered file", withLength(nul), kBadFileName, bad);
    std::wstring secret = area.root + L"secret.txt";
    secret += L'\0';
    secret += L"\\";
    refusedFolder(module, area, "NUL after a file beside", withLength(secret), kBadFileName, bad);
    refusedFolder(module, area, "empty folder", SysAllocString(L""), kBadFileName, bad);
    refusedFolder(module, area, "NULL folder", nullptr, kBadFileName, bad);
    refusedFolder(module, area, "relative folder", SysAllocString(L"work\\"), kBadFileName, bad);
    refusedFolder(module, area, "drive-relative folder", SysAllocString(L"\\work\\"), kBadFileName,
                  bad);
    refusedFolder(module, area, "forbidden character", withLength(area.root + L"a|b\\"),
                  kBadFileName, bad);
    refusedFolder(module, area, "missing folder", withLength(area.root + L"absent\\"),
                  kPathNotFound, L"Path not found");

    // Without its separator the folder is taken as the working folder itself; with no Word to
    // start here the call then fails, but never on the folder and never outside it.
    const Snapshot before = area.files();
    IDispatch* application = nullptr;
    LONG window = -1;
    BSTR bare = withLength(area.root + L"work");
    const HRESULT hr = module->InitQuestion(501, bare, &application, &window, nullptr);
    SysFreeString(bare);
    check(hr != kBadFileName && hr != kPathNotFound,
          "folder without its separator: the folder is accepted");
    check(area.files() == before, "folder without its separator: nothing changed around it");
    if (application)
        application->Release();
}

// A Word of the player's that calls back into the Module from inside the first call made to it,
// and then refuses that call.
class CallingBackWord : public IDispatch {
public:
    explicit CallingBackWord(std::function<void()> callBack) : callBack_(std::move(callBack)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }  // lives on the stack
    ULONG references() const { return references_; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID,
                                            DISPID* ids) override {
        for (UINT i = 0; i < count; ++i)
            ids[i] = 1 + static_cast<DISPID>(i);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        ++calls;
        if (callBack_) {
            auto callBack = std::move(callBack_);
            callBack_ = nullptr;
            callBack();
        }
        return DISP_E_MEMBERNOTFOUND;
    }
    int calls = 0;

private:
    std::function<void()> callBack_;
    ULONG references_ = 1;
};

void checkNestedCalls(AbstractModule* module, const Area& area) {
    const Snapshot before = area.files();
    std::vector<std::pair<std::wstring, HRESULT>> nested;
    std::vector<std::wstring> sources;
    const auto record = [&](const wchar_t* member, HRESULT hr) {
        nested.emplace_back(member, hr);
        sources.push_back(lastError().first);
    };
    CallingBackWord word([&] {
        record(L"Fermer", module->Fermer());
        record(L"TestePoint", module->TestePoint());
        IDispatch* application = nullptr;
        LONG window = -1;
        BSTR folder = withLength(area.work);
        record(L"InitQuestion", module->InitQuestion(501, folder, &application, &window, nullptr));
        SysFreeString(folder);
        record(L"Quitter", module->Quitter(&application, &window));
        BSTR code = nullptr;
        record(L"CauseErreur", module->get_CauseErreur(&code));
        SysFreeString(code);
    });
    IDispatch* application = &word;
    word.AddRef();
    LONG window = -1;
    BSTR folder = withLength(area.work);
    const HRESULT hr = module->InitQuestion(501, folder, &application, &window, nullptr);
    SysFreeString(folder);
    check(word.calls > 0, "nested calls: the component called the player's Word");
    check(nested.size() == 5, "nested calls: Word called back five times");
    for (std::size_t i = 0; i < nested.size(); ++i) {
        const std::string name(nested[i].first.begin(), nested[i].first.end());
        check(nested[i].second == kRefusedCall, "nested " + name + ": refused with error 5");
        check(sources[i] == located(nested[i].first.c_str()), "nested " + name + ": located");
    }
    check(hr != kRefusedCall, "nested calls: the running call ended on its own terms");
    check(area.files() == before, "nested calls: no file changed");
    if (application && application != &word)
        application->Release();
}

// Arguments of the wrong types through IDispatch: refused by the type information or by the
// component, never a crash, never a file changed.
void checkWrongTypes(AbstractModule* module, const Area& area) {
    IDispatch* dispatch = nullptr;
    module->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"InitQuestion");
    check(dispatch && dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id) == S_OK,
          "IDispatch: InitQuestion found");
    if (!dispatch)
        return;
    const Snapshot before = area.files();
    IDispatch* application = nullptr;
    LONG window = -1;
    CallingBackWord notAWord(nullptr);

    struct Case {
        const char* what;
        VARIANT question, folder, app, handle;
    };
    const auto make = [&](const char* what) {
        Case c{what, {}, {}, {}, {}};
        V_VT(&c.question) = VT_I4;
        V_I4(&c.question) = 501;
        V_VT(&c.folder) = VT_BSTR;
        V_BSTR(&c.folder) = nullptr;
        V_VT(&c.app) = VT_BYREF | VT_DISPATCH;
        V_DISPATCHREF(&c.app) = &application;
        V_VT(&c.handle) = VT_BYREF | VT_I4;
        V_I4REF(&c.handle) = &window;
        return c;
    };
    std::vector<Case> cases;
    Case c = make("an object for the exercise number");
    V_VT(&c.question) = VT_DISPATCH;
    V_DISPATCH(&c.question) = &notAWord;
    cases.push_back(c);
    c = make("a number for the folder");
    V_VT(&c.folder) = VT_I4;
    V_I4(&c.folder) = 42;
    cases.push_back(c);
    c = make("Null for the folder");
    V_VT(&c.folder) = VT_NULL;
    cases.push_back(c);
    c = make("an object for the folder");
    V_VT(&c.folder) = VT_DISPATCH;
    V_DISPATCH(&c.folder) = &notAWord;
    cases.push_back(c);
    c = make("a string by value for the application");
    V_VT(&c.app) = VT_BSTR;
    V_BSTR(&c.app) = nullptr;
    cases.push_back(c);
    c = make("a by-reference string for the window handle");
    static BSTR noText = nullptr;
    V_VT(&c.handle) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&c.handle) = &noText;
    cases.push_back(c);
    c = make("a double by value for the window handle");
    V_VT(&c.handle) = VT_R8;
    V_R8(&c.handle) = 1e300;
    cases.push_back(c);

    for (Case& one : cases) {
        // Arguments go right to left.
        VARIANT args[4] = {one.handle, one.app, one.folder, one.question};
        DISPPARAMS parameters{args, nullptr, 4, 0};
        EXCEPINFO exception{};
        UINT argumentError = 0;
        const HRESULT hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                            &parameters, nullptr, &exception, &argumentError);
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
        check(FAILED(hr), std::string("wrong type, ") + one.what + ": refused");
    }
    // Too few arguments.
    VARIANT one;
    V_VT(&one) = VT_I4;
    V_I4(&one) = 501;
    DISPPARAMS single{&one, nullptr, 1, 0};
    check(FAILED(dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &single,
                                  nullptr, nullptr, nullptr)),
          "wrong type, one argument only: refused");
    check(area.files() == before, "wrong types: no file changed");
    if (application)
        application->Release();
    dispatch->Release();
}

// Invokes InitQuestion by name with the arguments given (last first).
HRESULT invokeInitQuestion(AbstractModule* module, VARIANT* args, UINT count,
                           EXCEPINFO* exception = nullptr) {
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"InitQuestion");
    module->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    DISPPARAMS parameters{args, nullptr, count, 0};
    EXCEPINFO own{};
    EXCEPINFO* info = exception ? exception : &own;
    const HRESULT hr = module->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                      &parameters, nullptr, info, nullptr);
    if (!exception) {
        SysFreeString(own.bstrSource);
        SysFreeString(own.bstrDescription);
        SysFreeString(own.bstrHelpFile);
    }
    return hr;
}

// The player's variables given by reference through IDispatch, as scripting hosts give them: a
// reference to a VARIANT that holds another reference writes through to its target; a null
// reference names no variable; a call refused for its number of arguments writes nothing.
void checkVariableReferences(AbstractModule* module, const Area& area) {
    const Snapshot before = area.files();
    IDispatch* application = nullptr;
    BSTR missing = withLength(area.root + L"absent\\");
    const auto make = [&](VARIANT* args, VARIANT* handle) {
        args[0] = *handle;
        V_VT(&args[1]) = VT_BYREF | VT_DISPATCH;
        V_DISPATCHREF(&args[1]) = &application;
        V_VT(&args[2]) = VT_BSTR;
        V_BSTR(&args[2]) = missing;
        V_VT(&args[3]) = VT_I4;
        V_I4(&args[3]) = 501;
    };

    // The handle is a variable of the caller's caller, passed on by reference.
    BSTR handleText = SysAllocString(L"7");
    VARIANT passedOn;
    V_VT(&passedOn) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&passedOn) = &handleText;
    VARIANT handle;
    V_VT(&handle) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&handle) = &passedOn;
    VARIANT args[6];
    make(args, &handle);
    EXCEPINFO exception{};
    HRESULT hr = invokeInitQuestion(module, args, 4, &exception);
    check(hr == DISP_E_EXCEPTION && exception.scode == kPathNotFound,
          "references: a handle passed on by reference reaches InitQuestion");
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    check(V_VT(&passedOn) == (VT_BYREF | VT_BSTR) && V_BSTRREF(&passedOn) == &handleText &&
              text(handleText) == L"7",
          "references: the handle is written through to the caller's variable");

    V_VARIANTREF(&handle) = nullptr;
    make(args, &handle);
    exception = EXCEPINFO{};
    hr = invokeInitQuestion(module, args, 4, &exception);
    check(hr == DISP_E_EXCEPTION && exception.scode == kPathNotFound,
          "references: a null reference for the handle is served, written nowhere");
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);

    // Three arguments: refused before InitQuestion runs. The application's variable holds the
    // object as IUnknown, which the call would have been lent as IDispatch.
    CallingBackWord word(nullptr);
    VARIANT variable;
    V_VT(&variable) = VT_UNKNOWN;
    V_UNKNOWN(&variable) = &word;
    VARIANT three[3];
    V_VT(&three[0]) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&three[0]) = &variable;
    V_VT(&three[1]) = VT_BSTR;
    V_BSTR(&three[1]) = missing;
    V_VT(&three[2]) = VT_I4;
    V_I4(&three[2]) = 501;
    hr = invokeInitQuestion(module, three, 3);
    check(FAILED(hr) && hr != DISP_E_EXCEPTION, "references: three arguments are refused");
    check(V_VT(&variable) == VT_UNKNOWN && V_UNKNOWN(&variable) == &word && word.references() == 1,
          "references: a refused call leaves the caller's variable as it was");
    SysFreeString(handleText);
    SysFreeString(missing);
    check(area.files() == before, "references: no file changed");
    if (application)
        application->Release();
}

// The player's Word given to a call that fails: when the call has ended, the component holds no
// reference to it.
void checkReferencesGivenBack(AbstractModule* module, const Area& area) {
    CallingBackWord word(nullptr);
    IDispatch* application = &word;
    LONG window = -1;
    BSTR missing = withLength(area.root + L"absent\\");
    const HRESULT hr = module->InitQuestion(501, missing, &application, &window, nullptr);
    SysFreeString(missing);
    check(hr == kPathNotFound && application == &word,
          "references given back: the call failed, the player's Word still in its variable");
    check(word.references() == 1, "references given back: none kept once the call has ended (" +
                                      std::to_string(word.references()) + " held)");
}

// The player lets the Module go from inside one of its calls (a handler run while the component
// waits on Word): the call still ends with its own error, and nothing is left alive.
void checkReleasedDuringCall(const Area& area) {
    AbstractModule* module = nullptr;
    CoCreateInstance(kModuleClsid, nullptr, CLSCTX_INPROC_SERVER, kIidAbstractModule,
                     reinterpret_cast<void**>(&module));
    if (!module) {
        check(false, "released during a call: Module created");
        return;
    }
    CallingBackWord word([&] { module->Release(); });
    IDispatch* application = &word;
    LONG window = -1;
    VARIANT args[4];
    V_VT(&args[0]) = VT_BYREF | VT_I4;
    V_I4REF(&args[0]) = &window;
    V_VT(&args[1]) = VT_BYREF | VT_DISPATCH;
    V_DISPATCHREF(&args[1]) = &application;
    V_VT(&args[2]) = VT_BSTR;
    V_BSTR(&args[2]) = withLength(area.work);
    V_VT(&args[3]) = VT_I4;
    V_I4(&args[3]) = 501;
    EXCEPINFO exception{};
    const HRESULT hr = invokeInitQuestion(module, args, 4, &exception);
    check(word.calls > 0, "released during a call: the Module was let go during its call");
    check(hr == DISP_E_EXCEPTION &&
              text(exception.bstrSource).rfind(L"DLL K72645 - CLASSE Module", 0) == 0,
          "released during a call: the call ends with its own located error");
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    SysFreeString(V_BSTR(&args[2]));
    if (application && application != &word)
        application->Release();
}

void checkInterfaceIdentifier(AbstractModule* module) {
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"ErreurGenerale");
    module->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    DISPPARAMS none{};
    VARIANT result;
    VariantInit(&result);
    check(module->Invoke(id, IID_IDispatch, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                         &result, nullptr, nullptr) == DISP_E_UNKNOWNINTERFACE,
          "Invoke with an interface identifier other than IID_NULL: DISP_E_UNKNOWNINTERFACE");
    VariantClear(&result);
    check(module->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result,
                         nullptr, nullptr) == S_OK,
          "Invoke with IID_NULL: answered");
    VariantClear(&result);
}

// The wide-character file functions stop at a NUL: the port must not let "secret.txt" + NUL +
// "\\Insertion.doc" reach secret.txt.
void checkFileSystemPort(const Area& area) {
    const Snapshot before = area.files();
    k72645::win32::Win32FileSystem files;
    const auto u16 = [](const std::wstring& path) {
        return std::u16string(path.begin(), path.end());
    };
    const auto numberOf = [](const std::function<void()>& operation) {
        try {
            operation();
        } catch (const k72645::ComError& error) {
            return error.number();
        }
        return 0;
    };
    std::u16string secret = u16(area.root + L"secret.txt");
    secret += u'\0';
    secret += u"\\Insertion.doc";
    std::u16string folder = u16(area.current);
    folder += u'\0';
    check(!files.fileExists(secret) && !files.folderExists(folder),
          "file system: a path holding NUL names nothing");
    check(numberOf([&] { files.deleteFile(secret); }) == 53, "file system: delete refused");
    check(numberOf([&] { files.setNormalAttributes(secret); }) == 53,
          "file system: attributes refused");
    check(numberOf([&] { files.moveFile(secret, u16(area.root + L"moved.txt")); }) == 53,
          "file system: move from refused");
    check(numberOf([&] { files.moveFile(u16(area.work + L"07264501.doc"), secret); }) == 76,
          "file system: move to refused");
    check(numberOf([&] { files.writeFile(secret, "x"); }) == 76, "file system: write refused");
    check(numberOf([&] { files.readFile(secret); }) == 53, "file system: read refused");
    check(numberOf([&] { files.removeFolder(folder); }) == 76,
          "file system: removing a folder refused");
    check(!files.makeSureDirectoryPathExists(folder + u"\\new\\"),
          "file system: creating folders refused");
    check(area.files() == before, "file system: no file changed");
}

// Runs with no object of the component alive: DllCanUnloadNow then answers from the locks.
void checkLockServer() {
    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    const auto canUnload = reinterpret_cast<CanUnload>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"k72645.dll"), "DllCanUnloadNow")));
    check(canUnload != nullptr, "DllCanUnloadNow found");
    if (!canUnload)
        return;
    const auto withFactory = [](const std::function<void(IClassFactory*)>& use) {
        IClassFactory* factory = nullptr;
        if (SUCCEEDED(CoGetClassObject(kModuleClsid, CLSCTX_INPROC_SERVER, nullptr,
                                       IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
            use(factory);
            factory->Release();
        }
    };
    check(canUnload() == S_OK, "LockServer: unloadable with nothing alive");
    withFactory([](IClassFactory* factory) {
        factory->LockServer(FALSE);  // one unlock too many
        factory->LockServer(TRUE);
    });
    check(canUnload() == S_FALSE, "LockServer: an extra unlock does not cancel a later lock");
    withFactory([](IClassFactory* factory) { factory->LockServer(FALSE); });
    check(canUnload() == S_OK, "LockServer: the lock taken is released by one unlock");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring dll;
    if (!k72645::windows_test::dllArgument(argc, argv, "k72645_hostile_client", dll))
        return 2;
    const std::wstring quoted = L"\"" + dll + L"\"";
    check(k72645::windows_test::runRegsvr32(quoted) == 0, "regsvr32 registers the DLL");

    CoInitialize(nullptr);
    {
        const Area area;
        AbstractModule* module = nullptr;
        check(SUCCEEDED(CoCreateInstance(kModuleClsid, nullptr, CLSCTX_INPROC_SERVER,
                                         kIidAbstractModule, reinterpret_cast<void**>(&module))) &&
                  module,
              "Module created");
        if (module) {
            checkFolders(module, area);
            checkNestedCalls(module, area);
            checkWrongTypes(module, area);
            checkVariableReferences(module, area);
            checkReferencesGivenBack(module, area);
            checkInterfaceIdentifier(module);
            module->Release();
        }
        checkReleasedDuringCall(area);
        checkLockServer();
        checkFileSystemPort(area);
    }
    CoUninitialize();

    check(k72645::windows_test::runRegsvr32(L"/u " + quoted) == 0,
          "regsvr32 /u unregisters the DLL");
    std::printf("%s: %d failure(s), the process survived every case\n",
                failures ? "FAILED" : "PASSED", failures);
    return failures ? 1 : 0;
}
