// The component's ComplementInfo as the player receives it: the player's ComplementInfo
// interface (and the class's default interface _ComplementInfo) over the engine's list.
#pragma once

#include "automation/dispatch.h"
#include "com/com_ids.h"
#include "com/dual_object.h"
#include "com/player_interfaces.h"

namespace k72645::com {

class ComplementInfoObject final
    : public DualObject<PlayerComplementInfo, kIidPlayerComplementInfo, kIidComplementInfo> {
public:
    // A new object with one reference for the caller.
    static PlayerComplementInfo* create(DispatchPtr list);

    HRESULT STDMETHODCALLTYPE add(BSTR siTexte, LONG lInutilise) override;
    HRESULT STDMETHODCALLTYPE count(LONG* plCount) override;
    HRESULT STDMETHODCALLTYPE item(LONG noItem, BSTR* psItem) override;

private:
    explicit ComplementInfoObject(DispatchPtr list) : list_(std::move(list)) {}
    DispatchPtr list_;
};

// The player's ComplementInfo interface of a list the engine hands out (null for Nothing): the
// component's own list is wrapped, a foreign object is asked for the interface. Anything else
// raises the type-mismatch error.
PlayerComplementInfo* playerComplementInfoOf(const DispatchPtr& list);

}  // namespace k72645::com
