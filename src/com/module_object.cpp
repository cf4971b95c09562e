#include "com/module_object.h"

#include "automation/vb.h"
#include "com/complement_info_object.h"
#include "platform/win32/com_text.h"
#include "platform/win32/com_variant.h"

namespace k72645::com {

namespace {
VARIANT_BOOL toVariantBool(bool value) {
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

// The player's object argument as the engine sees it.
Argument objectByReference(IDispatch* object) {
    return Argument::ref(Variant(win32::dispatchFromCom(object)));
}

// Puts what the engine left in a by-reference object argument into the player's variable.
void giveBackObject(const Variant& value, IDispatch** target) {
    IDispatch* fresh = value.isObject() ? win32::comFromDispatch(value.object()) : nullptr;
    if (*target)
        (*target)->Release();
    *target = fresh;
}

void giveBackLong(const Variant& value, LONG* target) {
    if (value.type() == Variant::Type::Long)
        *target = value.long32();
}
}  // namespace

AbstractModule* ModuleObject::create() {
    return new ModuleObject(createAbstractModule());
}

Variant ModuleObject::run(std::u16string_view member, InvokeKind kind, Arguments& args) {
    return engine_->invoke(member, kind, args);
}

// The arguments live inside the member's guarded body, so that the references to Word's
// objects they hold are given back with the others when the call ends.
void ModuleObject::runGivingBack(std::u16string_view member, Arguments& args,
                                 const std::function<void()>& giveBack) {
    try {
        run(member, InvokeKind::Method, args);
    } catch (...) {
        giveBack();
        throw;
    }
    giveBack();
}

HRESULT ModuleObject::get_BravoNuance(VARIANT_BOOL* pbValue) {
    if (!pbValue)
        return E_POINTER;
    return guarded([&] {
        Arguments none;
        *pbValue = toVariantBool(vb::cBool(run(u"BravoNuance", InvokeKind::PropertyGet, none)));
    });
}

HRESULT ModuleObject::get_Complement(PlayerComplementInfo** ppList) {
    if (!ppList)
        return E_POINTER;
    *ppList = nullptr;
    return guarded([&] {
        Arguments none;
        const Variant list = run(u"Complement", InvokeKind::PropertyGet, none);
        *ppList = playerComplementInfoOf(list.isObject() ? list.object() : toObject(list));
    });
}

HRESULT ModuleObject::get_CauseErreur(BSTR* psCode) {
    if (!psCode)
        return E_POINTER;
    *psCode = nullptr;
    return guarded([&] {
        Arguments none;
        *psCode = win32::toBstr(vb::cStr(run(u"CauseErreur", InvokeKind::PropertyGet, none)));
    });
}

HRESULT ModuleObject::get_ErreurGenerale(VARIANT_BOOL* pbValue) {
    if (!pbValue)
        return E_POINTER;
    return guarded([&] {
        Arguments none;
        *pbValue = toVariantBool(vb::cBool(run(u"ErreurGenerale", InvokeKind::PropertyGet, none)));
    });
}

HRESULT ModuleObject::Fermer() {
    return guarded([&] {
        Arguments none;
        run(u"Fermer", InvokeKind::Method, none);
    });
}

HRESULT ModuleObject::InitQuestion(LONG ilQuestion, BSTR isPathDossier, IDispatch** ioApplication,
                                   LONG* ioHandleLogiciel, BSTR isPathModele) {
    if (!ioApplication || !ioHandleLogiciel)
        return E_POINTER;
    return guarded([&] {
        Arguments args{Variant(static_cast<std::int32_t>(ilQuestion)),
                       Variant(win32::fromBstr(isPathDossier)), objectByReference(*ioApplication),
                       Argument::ref(Variant(static_cast<std::int32_t>(*ioHandleLogiciel))),
                       Variant(win32::fromBstr(isPathModele))};
        runGivingBack(u"InitQuestion", args, [&] {
            giveBackObject(args[2].value, ioApplication);
            giveBackLong(args[3].value, ioHandleLogiciel);
        });
    });
}

HRESULT ModuleObject::Quitter(IDispatch** ioApplication, LONG* ioHandleLogiciel) {
    if (!ioApplication || !ioHandleLogiciel)
        return E_POINTER;
    return guarded([&] {
        Arguments args{objectByReference(*ioApplication),
                       Argument::ref(Variant(static_cast<std::int32_t>(*ioHandleLogiciel)))};
        runGivingBack(u"Quitter", args, [&] {
            giveBackObject(args[0].value, ioApplication);
            giveBackLong(args[1].value, ioHandleLogiciel);
        });
    });
}

HRESULT ModuleObject::TestePoint() {
    return guarded([&] {
        Arguments none;
        run(u"TestePoint", InvokeKind::Method, none);
    });
}

}  // namespace k72645::com
