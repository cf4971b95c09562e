#include "exercises/database_open_check.h"

#include "automation/text.h"
#include "automation/vb.h"

namespace k72645 {

bool clientsDatabaseOpenAsDocument(const word::Application& word,
                                   const std::u16string& workingFolder) {
    const std::u16string database = lcase(workingFolder + u"clients.mdb");
    const std::int16_t bound = vb::cInt(Variant(word.documents().count()));
    std::int16_t i = 1;
    while (i <= bound) {
        if (lcase(word.documents().item(Variant(i)).fullName()) == database)
            break;
        i = vb::addInteger(i, 1);
    }
    return i <= word.documents().count();
}

}  // namespace k72645
