#include "platform/win32/com_errors.h"

#include "platform/win32/com_text.h"

namespace k72645::win32 {

HRESULT hresultOf(std::int32_t number) {
    if (number < 0)
        return static_cast<HRESULT>(number);
    if (number == 0 || number > 0xFFFF)
        return E_FAIL;
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number);
}

std::int32_t numberOf(HRESULT hr) {
    if (FAILED(hr) && HRESULT_FACILITY(hr) == FACILITY_CONTROL)
        return static_cast<std::int32_t>(HRESULT_CODE(hr));
    return static_cast<std::int32_t>(hr);
}

ComError errorFromExcepInfo(EXCEPINFO& info) {
    if (info.pfnDeferredFillIn)
        info.pfnDeferredFillIn(&info);
    const std::int32_t number = info.wCode != 0 ? info.wCode : numberOf(info.scode);
    std::u16string description = fromBstr(info.bstrDescription);
    if (description.empty())
        description = errors::descriptionOf(number);
    ComError error(number, fromBstr(info.bstrSource), std::move(description),
                   fromBstr(info.bstrHelpFile), static_cast<std::int32_t>(info.dwHelpContext));
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
    info.bstrSource = info.bstrDescription = info.bstrHelpFile = nullptr;
    return error;
}

namespace {
bool serverGone(HRESULT hr) {
    switch (hr) {
        case RPC_E_DISCONNECTED:
        case RPC_E_SERVER_DIED:
        case RPC_E_SERVER_DIED_DNE:
        case HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE):
        case HRESULT_FROM_WIN32(RPC_S_CALL_FAILED):
            return true;
        default:
            return false;
    }
}

// Whether the object's IDispatch reports its failures through the thread's error object.
bool setsErrorInfo(IUnknown* object) {
    if (!object)
        return false;
    ISupportErrorInfo* support = nullptr;
    if (FAILED(object->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support))) ||
        !support)
        return false;
    const bool sets = support->InterfaceSupportsErrorInfo(IID_IDispatch) == S_OK;
    support->Release();
    return sets;
}

std::int32_t dispatchFailureNumber(HRESULT hr) {
    switch (hr) {
        case DISP_E_MEMBERNOTFOUND:
        case DISP_E_UNKNOWNNAME:
            return errors::kMemberNotFound;
        case DISP_E_TYPEMISMATCH:
            return errors::kTypeMismatch;
        case DISP_E_PARAMNOTOPTIONAL:
            return errors::kArgumentNotOptional;
        case DISP_E_BADPARAMCOUNT:
            return 450;  // wrong number of arguments or invalid property assignment
        case DISP_E_OVERFLOW:
            return errors::kOverflow;
        case DISP_E_BADINDEX:
            return errors::kSubscriptOutOfRange;
        case E_OUTOFMEMORY:
            return errors::kOutOfMemory;
        default:
            return serverGone(hr) ? errors::kServerUnavailable : numberOf(hr);
    }
}
}  // namespace

ComError errorFromHresult(HRESULT hr, IUnknown* object) {
    // Taken (and so cleared from the thread) before the object is asked: the question is a call
    // of its own.
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK)
        info = nullptr;
    if (info && (serverGone(hr) || !setsErrorInfo(object))) {
        info->Release();
        info = nullptr;
    }
    if (info) {
        BSTR source = nullptr;
        BSTR description = nullptr;
        BSTR helpFile = nullptr;
        DWORD helpContext = 0;
        info->GetSource(&source);
        info->GetDescription(&description);
        info->GetHelpFile(&helpFile);
        info->GetHelpContext(&helpContext);
        info->Release();
        ComError error(numberOf(hr), fromBstr(source), fromBstr(description), fromBstr(helpFile),
                       static_cast<std::int32_t>(helpContext));
        SysFreeString(source);
        SysFreeString(description);
        SysFreeString(helpFile);
        return error;
    }
    return errors::runtime(dispatchFailureNumber(hr));
}

HRESULT reportError(const ComError& error, const IID& iid) {
    ICreateErrorInfo* create = nullptr;
    if (SUCCEEDED(CreateErrorInfo(&create)) && create) {
        create->SetGUID(iid);
        create->SetSource(const_cast<LPOLESTR>(wide(error.source())));
        create->SetDescription(const_cast<LPOLESTR>(wide(error.description())));
        create->SetHelpFile(const_cast<LPOLESTR>(wide(error.helpFile())));
        create->SetHelpContext(static_cast<DWORD>(error.helpContext()));
        IErrorInfo* info = nullptr;
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
            SetErrorInfo(0, info);
            info->Release();
        }
        create->Release();
    }
    return hresultOf(error.number());
}

void fillExcepInfo(const ComError& error, EXCEPINFO* info) {
    if (!info)
        return;
    *info = EXCEPINFO{};
    info->scode = hresultOf(error.number());
    info->bstrSource = toBstr(error.source());
    info->bstrDescription = toBstr(error.description());
    if (!error.helpFile().empty())
        info->bstrHelpFile = toBstr(error.helpFile());
    info->dwHelpContext = static_cast<DWORD>(error.helpContext());
}

}  // namespace k72645::win32
