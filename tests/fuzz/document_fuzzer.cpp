// Feeds arbitrary bytes to the document and template loader: it must either read a document
// that writes back and reads again to the same story, or refuse the file with a ComError.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "automation/com_error.h"
#include "sim/word/document_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    k72645::sim::DocumentFile file;
    try {
        file = k72645::sim::parseDocumentFile(bytes, u"fuzz.doc");
    } catch (const k72645::ComError&) {
        return 0;
    }
    const std::string written = k72645::sim::serializeDocumentFile(file);
    const auto again = k72645::sim::parseDocumentFile(written, u"fuzz.doc");
    if (again.story.characters() != file.story.characters())
        std::abort();
    return 0;
}
