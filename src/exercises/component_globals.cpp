#include "exercises/component_globals.h"

namespace k72645 {

namespace {
thread_local bool destinatairesOuvert = false;
thread_local DispatchPtr globalObject;
}  // namespace

bool DestinatairesOuvert() {
    return destinatairesOuvert;
}

void setDestinatairesOuvert(bool open) {
    destinatairesOuvert = open;
}

DispatchPtr wordGlobal(ApplicationRuntime& runtime) {
    if (!globalObject)
        globalObject = runtime.CreateObject(u"Word.Global");
    return globalObject;
}

void resetComponentGlobals() {
    destinatairesOuvert = false;
    globalObject.reset();
}

}  // namespace k72645
