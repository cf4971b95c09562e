#include "com/complement_info_object.h"

#include "automation/vb.h"
#include "files/file_lists.h"
#include "platform/win32/com_text.h"
#include "platform/win32/foreign_dispatch.h"

namespace k72645::com {

PlayerComplementInfo* ComplementInfoObject::create(DispatchPtr list) {
    return new ComplementInfoObject(std::move(list));
}

HRESULT ComplementInfoObject::add(BSTR siTexte, LONG lInutilise) {
    return guarded([&] {
        call(list_, u"add",
             {Variant(win32::fromBstr(siTexte)), Variant(static_cast<std::int32_t>(lInutilise))});
    });
}

HRESULT ComplementInfoObject::count(LONG* plCount) {
    if (!plCount)
        return E_POINTER;
    return guarded([&] { *plCount = vb::cLng(call(list_, u"count")); });
}

HRESULT ComplementInfoObject::item(LONG noItem, BSTR* psItem) {
    if (!psItem)
        return E_POINTER;
    *psItem = nullptr;
    return guarded([&] {
        const std::u16string line =
            vb::cStr(call(list_, u"item", {Variant(static_cast<std::int32_t>(noItem))}));
        *psItem = win32::toBstr(line);
    });
}

PlayerComplementInfo* playerComplementInfoOf(const DispatchPtr& list) {
    if (!list)
        return nullptr;
    if (dynamic_cast<k72645::ComplementInfo*>(list.get()))
        return ComplementInfoObject::create(list);
    if (auto* foreign = dynamic_cast<win32::ForeignDispatch*>(list.get())) {
        PlayerComplementInfo* player = nullptr;
        if (SUCCEEDED(foreign->com()->QueryInterface(kIidPlayerComplementInfo,
                                                     reinterpret_cast<void**>(&player))))
            return player;
    }
    throw errors::typeMismatch();
}

}  // namespace k72645::com
