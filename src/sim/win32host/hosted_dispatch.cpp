#include "sim/win32host/hosted_dispatch.h"

#include <oleauto.h>

#include <typeinfo>
#include <vector>

#include "platform/win32/com_variant.h"
#include "platform/win32/foreign_dispatch.h"
#include "sim/word/word_object.h"

namespace k72645::sim::win32host {

namespace {
// {8D2F6A41-0B7C-4E95-A3D8-5C1E9F04B726}
const GUID kHostLibraryGuid = {
    0x8d2f6a41, 0x0b7c, 0x4e95, {0xa3, 0xd8, 0x5c, 0x1e, 0x9f, 0x04, 0xb7, 0x26}};

// A stable GUID for a kind of object: two FNV-1a hashes of its type's name.
GUID guidOf(const std::string& key) {
    auto hash = [&key](unsigned long long seed) {
        unsigned long long h = seed;
        for (unsigned char c : key) {
            h ^= c;
            h *= 1099511628211ull;
        }
        return h;
    };
    const unsigned long long high = hash(14695981039346656037ull);
    const unsigned long long low = hash(0x6b72363435ull);
    GUID guid{};
    guid.Data1 = static_cast<unsigned long>(high >> 32);
    guid.Data2 = static_cast<unsigned short>(high >> 16);
    guid.Data3 = static_cast<unsigned short>((high & 0x0FFF) | 0x4000);
    for (int i = 0; i < 8; ++i)
        guid.Data4[i] = static_cast<unsigned char>(low >> (8 * i));
    guid.Data4[0] = static_cast<unsigned char>((guid.Data4[0] & 0x3F) | 0x80);
    return guid;
}

std::string typeKeyOf(const DispatchPtr& object) {
    const Dispatch& engine = *object;
    return typeid(engine).name();
}
}  // namespace

std::shared_ptr<HostedObjects> HostedObjects::create(std::function<void()> afterCall) {
    return std::shared_ptr<HostedObjects>(new HostedObjects(std::move(afterCall)));
}

HostedObjects::~HostedObjects() {
    for (auto& [key, type] : types_)
        if (type.info)
            type.info->Release();
    if (library_)
        library_->Release();
}

HostedObjects::Type& HostedObjects::typeOf(const std::string& key) {
    auto [found, added] = types_.try_emplace(key);
    Type& type = found->second;
    if (!added)
        return type;
    type.guid = guidOf(key);
    if (!library_) {
        const SYSKIND kind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
        if (SUCCEEDED(CreateTypeLib2(kind, L"k72645-hosted-word.tlb", &library_)) && library_)
            library_->SetGuid(kHostLibraryGuid);
    }
    if (library_) {
        const std::wstring name = L"HostedType" + std::to_wstring(types_.size());
        ICreateTypeInfo* create = nullptr;
        if (SUCCEEDED(library_->CreateTypeInfo(const_cast<LPOLESTR>(name.c_str()), TKIND_DISPATCH,
                                               &create)) &&
            create) {
            create->SetGuid(type.guid);
            create->LayOut();
            create->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(&type.info));
            create->Release();
        }
    }
    return type;
}

IDispatch* HostedObjects::comOf(const DispatchPtr& object) const {
    if (!object)
        return nullptr;
    if (dynamic_cast<win32::ForeignDispatch*>(object.get()))
        return win32::comFromDispatch(object);
    if (callStarted_.QuadPart)  // an object in the answer to the component's call
        ++counts_.componentObjects;
    std::string type = typeKeyOf(object);
    const std::pair<std::string, const void*> key{type, object->identity()};
    if (auto found = live_.find(key); found != live_.end()) {
        found->second->AddRef();
        return found->second;
    }
    auto world = std::const_pointer_cast<HostedObjects>(shared_from_this());
    world->typeOf(type);
    HostedDispatch* created = HostedDispatch::create(object, HostedBridge{world, std::move(type)});
    live_.emplace(key, created);
    return created;
}

void HostedObjects::disconnectObjectsOfKilledWords() {
    // Disconnecting releases the stubs' references, which takes the objects out of live_: the
    // objects to cut off are gathered (and held) first.
    std::vector<HostedDispatch*> dead;
    for (const auto& [key, com] : live_) {
        const DispatchPtr engine = HostedDispatch::engineObjectOf(com);
        const auto* wordObject = dynamic_cast<const WordObject*>(engine.get());
        if (wordObject && wordObject->ofKilledWord()) {
            com->AddRef();
            dead.push_back(com);
        }
    }
    for (HostedDispatch* com : dead) {
        CoDisconnectObject(static_cast<IDispatch*>(com), 0);
        com->Release();
    }
}

std::vector<std::shared_ptr<WordInstance>> HostedObjects::takeWordsLetGo() {
    std::vector<std::shared_ptr<WordInstance>> words;
    for (const auto& word : letGo_)
        if (auto held = word.lock(); held && connections_[held.get()] == 0)
            words.push_back(std::move(held));
    letGo_.clear();
    return words;
}

DispatchPtr HostedObjects::engineOf(IDispatch* object) const {
    if (DispatchPtr engine = HostedDispatch::engineObjectOf(object))
        return engine;
    return win32::dispatchFromCom(object);
}

win32::MemberNames& HostedBridge::names() {
    return world->typeOf(type).names;
}

ITypeInfo* HostedBridge::typeInfo() {
    return world->typeOf(type).info;
}

const win32::ObjectMapping& HostedBridge::objects() const {
    return *world;
}

void HostedBridge::lookedUp(LCID locale, const std::u16string& name) {
    CallCounts& counts = world->counts();
    if (locale == kPlayerLocale) {
        ++counts.playerNameLookups;
    } else {
        ++counts.componentNameLookups;
        ++counts.componentLookupsByMember[{type, name}];
    }
}

void HostedBridge::invoked(LCID locale) {
    CallCounts& counts = world->counts();
    ++(locale == kPlayerLocale ? counts.playerInvokes : counts.componentInvokes);
    world->callStarted_.QuadPart = 0;
    if (locale != kPlayerLocale)
        QueryPerformanceCounter(&world->callStarted_);
}

// Whatever the call did to the running Words, the host follows it before answering.
void HostedBridge::afterCall() {
    if (world->callStarted_.QuadPart) {
        LARGE_INTEGER now, frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        world->counts().componentInvokeSeconds +=
            static_cast<double>(now.QuadPart - world->callStarted_.QuadPart) /
            static_cast<double>(frequency.QuadPart);
        world->callStarted_.QuadPart = 0;
    }
    if (world->afterCall_)
        world->afterCall_();
}

void HostedBridge::connected(const DispatchPtr& object, bool connecting) {
    const auto* wordObject = dynamic_cast<const WordObject*>(object.get());
    if (!wordObject)
        return;
    const std::shared_ptr<WordInstance> word = wordObject->instance();
    long& count = world->connections_[word.get()];
    count += connecting ? 1 : -1;
    if (count <= 0) {
        world->connections_.erase(word.get());
        world->letGo_.push_back(word);
    }
}

void HostedBridge::released(const DispatchPtr& object) {
    world->live_.erase({type, object->identity()});
}

const IID& HostedBridge::privateIid() {
    // {3E0C9B52-7A4D-4F1E-8C61-2B9D5F7A0E13}
    static const IID iid = {
        0x3e0c9b52, 0x7a4d, 0x4f1e, {0x8c, 0x61, 0x2b, 0x9d, 0x5f, 0x7a, 0x0e, 0x13}};
    return iid;
}

}  // namespace k72645::sim::win32host
