// The engine's headers come before <windows.h>, whose macros would rename some of their names.
#include "exercises/exercise_catalog.h"

#include "com/public_classes.h"

#include <objbase.h>

#include "com/com_ids.h"

namespace k72645::com {

std::optional<std::vector<PublicClass>> publicClasses() {
    std::vector<PublicClass> classes = {
        {L"Module", kClsidModule},
        {L"ComplementInfo", kClsidComplementInfo},
        {L"FichiersDeTravail", kClsidFichiersDeTravail},
    };
    for (const ExerciseDeclaration* exercise : exerciseCatalog()) {
        if (exercise->classId.empty())
            continue;
        const std::wstring text(exercise->classId.begin(), exercise->classId.end());
        GUID clsid{};
        if (FAILED(IIDFromString(text.c_str(), &clsid)))
            return std::nullopt;
        classes.push_back(
            {std::wstring(exercise->className.begin(), exercise->className.end()), clsid});
    }
    return classes;
}

}  // namespace k72645::com
