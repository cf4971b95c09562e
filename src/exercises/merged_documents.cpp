#include "exercises/merged_documents.h"

#include "automation/text.h"
#include "automation/vb.h"

namespace k72645 {

bool isMergedDocumentName(const std::u16string& name) {
    const std::u16string start = left(name, 7);
    return start == u"Lettres" || start == u"Letters";
}

void closeLeadingMergedDocuments(const word::Application& word, PassCount counting) {
    try {
        std::int32_t passes = word.documents().count();
        if (counting == PassCount::IntegerRecounted) {
            if (passes == 0)
                return;
            passes = word.documents().count();
        }
        if (counting != PassCount::Long)
            passes = vb::cInt(Variant(passes));
        for (std::int32_t pass = 1; pass <= passes; ++pass) {
            if (isMergedDocumentName(word.documents().item(1).name())) {
                word.documents().item(1).close(word::wdDoNotSaveChanges);
            }
        }
    } catch (...) {
        // A Word that has gone, or any refused call, ends the closing without a message.
    }
}

}  // namespace k72645
