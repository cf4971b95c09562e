#include "automation/automation_object.h"

#include <algorithm>

#include "automation/text.h"

namespace k72645 {

void AutomationObject::property(std::u16string name, Getter getter, Setter setter) {
    auto& m = members_[lcase(name)];
    m.getter = std::move(getter);
    m.setter = std::move(setter);
}

void AutomationObject::method(std::u16string name, Method method) {
    members_[lcase(name)].method = std::move(method);
}

void AutomationObject::defaultMember(std::u16string name) {
    defaultMember_ = lcase(name);
}

bool AutomationObject::hasMember(std::u16string_view member) const {
    return find(member) != nullptr;
}

std::vector<std::u16string> AutomationObject::memberNames() const {
    std::vector<std::u16string> names;
    names.reserve(members_.size());
    for (const auto& [name, member] : members_)
        names.push_back(name);
    std::sort(names.begin(), names.end());
    return names;
}

const AutomationObject::Member* AutomationObject::find(std::u16string_view member) const {
    auto it = members_.find(member.empty() ? defaultMember_ : lcase(member));
    return it == members_.end() ? nullptr : &it->second;
}

ComError AutomationObject::memberNotFound(std::u16string_view) const {
    return errors::memberNotFound();
}

Variant AutomationObject::invoke(std::u16string_view member, InvokeKind kind, Arguments& args) {
    beforeInvoke(member);
    const Member* m = find(member);
    if (!m)
        throw memberNotFound(member);
    if (kind == InvokeKind::PropertyPut) {
        if (!m->setter)
            throw memberNotFound(member);
        if (args.empty())
            throw errors::argumentNotOptional();
        Variant value = args.back().value;
        Arguments index(args.begin(), args.end() - 1);
        m->setter(index, value);
        return {};
    }
    if (m->method)
        return m->method(args);
    if (m->getter)
        return m->getter(args);
    throw memberNotFound(member);
}

}  // namespace k72645
