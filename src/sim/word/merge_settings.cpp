#include "sim/word/merge_settings.h"

namespace k72645::sim {

std::int32_t MergeSettings::state() const {
    if (mainDocumentType == kNotAMergeDocument)
        return 0;
    const bool data = dataSource != nullptr;
    const bool header = !headerSource.empty();
    if (data && header)
        return 4;
    if (data)
        return 2;
    return header ? 3 : 1;
}

void MergeSettings::detach() {
    dataSource.reset();
    headerSource.clear();
}

}  // namespace k72645::sim
