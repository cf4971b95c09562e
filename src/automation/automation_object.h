// A base for objects of this project that are reached by member name: each object declares
// its properties and methods in a table, and invoke() finds them without regard to case.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "automation/dispatch.h"

namespace k72645 {

class AutomationObject : public Dispatch, public std::enable_shared_from_this<AutomationObject> {
public:
    using Getter = std::function<Variant(Arguments& args)>;
    // The value put is the last argument; the ones before it are the property's index.
    using Setter = std::function<void(Arguments& args, const Variant& value)>;
    using Method = std::function<Variant(Arguments& args)>;

    Variant invoke(std::u16string_view member, InvokeKind kind, Arguments& args) override;

    // True when the object has a member of that name.
    bool hasMember(std::u16string_view member) const;
    // The names of its members, in lower case and sorted.
    std::vector<std::u16string> memberNames() const override;

protected:
    AutomationObject() = default;

    void property(std::u16string name, Getter getter, Setter setter = {});
    void method(std::u16string name, Method method);
    // The member the empty name stands for ("Item", "Name", "Text"...).
    void defaultMember(std::u16string name);

    // Runs before every member call; an object can refuse all calls here (a Word that quit
    // raises 462, a Word behind a blocking dialog refuses the call).
    virtual void beforeInvoke(std::u16string_view /*member*/) {}
    // The error for a member that does not exist (438 by default).
    virtual ComError memberNotFound(std::u16string_view member) const;

    template <class T>
    std::shared_ptr<T> self() {
        return std::static_pointer_cast<T>(shared_from_this());
    }

private:
    struct Member {
        Getter getter;
        Setter setter;
        Method method;
    };
    const Member* find(std::u16string_view member) const;

    std::unordered_map<std::u16string, Member> members_;
    std::u16string defaultMember_;
};

}  // namespace k72645
