// The scenario player's view of a COM object: members called by name like the component's own
// wrapper does (each name resolved once per type, then Invoke), but under the player's locale,
// so that the hosted Word counts the player's calls apart from the component's. Objects the
// calls return are wrapped the same way.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "automation/dispatch.h"

namespace k72645::e2e {

class PlayerDispatch : public Dispatch {
public:
    // Holds its own reference; null gives nullptr (Nothing).
    static DispatchPtr wrap(IDispatch* object);
    ~PlayerDispatch() override;
    PlayerDispatch(const PlayerDispatch&) = delete;
    PlayerDispatch& operator=(const PlayerDispatch&) = delete;

    Variant invoke(std::u16string_view member, InvokeKind kind, Arguments& args) override;
    const void* identity() const override { return identity_; }
    IDispatch* com() const { return object_; }

private:
    explicit PlayerDispatch(IDispatch* object);
    DISPID dispatchIdOf(std::u16string_view member);

    IDispatch* object_;
    IUnknown* identity_ = nullptr;
    bool typed_ = false;
    GUID type_{};
    std::map<std::u16string, DISPID> ownNames_;
};

}  // namespace k72645::e2e
