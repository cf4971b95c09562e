// The two values that live for the whole component rather than in an object, one of each per
// thread (the player's apartment): the flag telling exercise 509 that the mail-merge recipients
// dialog was open at the last check, and Word's global object, created on first use.
#pragma once

#include "automation/dispatch.h"
#include "platform/application_runtime.h"

namespace k72645 {

bool DestinatairesOuvert();
void setDestinatairesOuvert(bool open);

// Word's global object ("Word.Global"), created through the runtime the first time it is
// needed and then kept, shared by every exercise object.
DispatchPtr wordGlobal(ApplicationRuntime& runtime);

// Back to a freshly loaded component (for tests).
void resetComponentGlobals();

}  // namespace k72645
