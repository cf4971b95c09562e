// The classes of the type library, each registered under the ProgID "K72645.<name>": Module,
// ComplementInfo, FichiersDeTravail and the exercises whose declaration gives a class identity.
// Only Module can be created by a client.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace k72645::com {

struct PublicClass {
    std::wstring name;
    GUID clsid;
};

// Nothing when a declared class identity does not read as a CLSID.
std::optional<std::vector<PublicClass>> publicClasses();

}  // namespace k72645::com
