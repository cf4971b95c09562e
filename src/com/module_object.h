// The component's Module as the player reaches it: AbstractModule (and the class's default
// interface _Module) over the engine's Module. Arguments and results cross as BSTR, VARIANT_BOOL
// and IDispatch; ioApplication and ioHandleLogiciel are written back, also when the call fails.
#pragma once

#include <functional>
#include <memory>

#include "com/com_ids.h"
#include "com/dual_object.h"
#include "com/player_interfaces.h"
#include "component/abstract_module_object.h"

namespace k72645::com {

class ModuleObject final : public DualObject<AbstractModule, kIidAbstractModule, kIidModule> {
public:
    // A new Module on the platform this build runs on, with one reference for the caller.
    static AbstractModule* create();

    HRESULT STDMETHODCALLTYPE get_BravoNuance(VARIANT_BOOL* pbValue) override;
    HRESULT STDMETHODCALLTYPE get_Complement(PlayerComplementInfo** ppList) override;
    HRESULT STDMETHODCALLTYPE get_CauseErreur(BSTR* psCode) override;
    HRESULT STDMETHODCALLTYPE get_ErreurGenerale(VARIANT_BOOL* pbValue) override;
    HRESULT STDMETHODCALLTYPE Fermer() override;
    HRESULT STDMETHODCALLTYPE InitQuestion(LONG ilQuestion, BSTR isPathDossier,
                                           IDispatch** ioApplication, LONG* ioHandleLogiciel,
                                           BSTR isPathModele) override;
    HRESULT STDMETHODCALLTYPE Quitter(IDispatch** ioApplication, LONG* ioHandleLogiciel) override;
    HRESULT STDMETHODCALLTYPE TestePoint() override;

private:
    explicit ModuleObject(std::shared_ptr<AbstractModuleObject> engine)
        : engine_(std::move(engine)) {}
    Variant run(std::u16string_view member, InvokeKind kind, Arguments& args);
    // Runs a method, then writes its by-reference arguments back into the player's variables
    // with giveBack, also when the method failed.
    void runGivingBack(std::u16string_view member, Arguments& args,
                       const std::function<void()>& giveBack);

    std::shared_ptr<AbstractModuleObject> engine_;
};

}  // namespace k72645::com
