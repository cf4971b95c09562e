#include "com/server_state.h"

#include <atomic>

namespace k72645::com {

namespace {
HINSTANCE dllModule = nullptr;
std::atomic<long> liveObjects{0};
std::atomic<long> locks{0};
}  // namespace

void setModuleHandle(HINSTANCE module) {
    dllModule = module;
}
HINSTANCE moduleHandle() {
    return dllModule;
}

std::wstring modulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(dllModule, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void objectCreated() {
    ++liveObjects;
}
void objectDestroyed() {
    --liveObjects;
}
// An unlock without a matching lock is ignored: the count never goes below zero.
void lockServer(bool lock) {
    if (lock) {
        ++locks;
        return;
    }
    long current = locks.load();
    while (current > 0 && !locks.compare_exchange_weak(current, current - 1)) {
    }
}
bool canUnload() {
    return liveObjects == 0 && locks == 0;
}

}  // namespace k72645::com
