// The player's interfaces as the component implements them: their vtables follow the member
// order of the player's library K00000 (k00000.idl), after the seven slots of IDispatch.
#pragma once

#include <oaidl.h>
#include <windows.h>

namespace k72645::com {

struct PlayerComplementInfo : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE add(BSTR siTexte, LONG lInutilise) = 0;
    virtual HRESULT STDMETHODCALLTYPE count(LONG* plCount) = 0;
    virtual HRESULT STDMETHODCALLTYPE item(LONG noItem, BSTR* psItem) = 0;
};

struct AbstractModule : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_BravoNuance(VARIANT_BOOL* pbValue) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Complement(PlayerComplementInfo** ppList) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CauseErreur(BSTR* psCode) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ErreurGenerale(VARIANT_BOOL* pbValue) = 0;
    virtual HRESULT STDMETHODCALLTYPE Fermer() = 0;
    virtual HRESULT STDMETHODCALLTYPE InitQuestion(LONG ilQuestion, BSTR isPathDossier,
                                                   IDispatch** ioApplication,
                                                   LONG* ioHandleLogiciel, BSTR isPathModele) = 0;
    virtual HRESULT STDMETHODCALLTYPE Quitter(IDispatch** ioApplication,
                                              LONG* ioHandleLogiciel) = 0;
    virtual HRESULT STDMETHODCALLTYPE TestePoint() = 0;
};

}  // namespace k72645::com
