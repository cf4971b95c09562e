// A document's mail-merge settings: its main document type, the data source and header source
// attached, and whether merge fields show their names or the active record's values.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "sim/data/data_source.h"

namespace k72645::sim {

inline constexpr std::int32_t kNotAMergeDocument = -1;
inline constexpr std::int32_t kFormLetters = 0;
inline constexpr std::int32_t kMailingLabels = 1;
inline constexpr std::int32_t kEnvelopes = 2;
inline constexpr std::int32_t kCatalog = 3;
inline constexpr std::int32_t kEmail = 4;
inline constexpr std::int32_t kFax = 5;

struct MergeSettings {
    std::int32_t mainDocumentType = kNotAMergeDocument;
    std::shared_ptr<DataSource> dataSource;
    std::u16string headerSource;  // file name as attached, "" for none
    bool viewFieldCodes = true;   // merge fields show «name» while true

    // 0 normal document, 1 main document without source, 2 with a data source, 3 with a header
    // source only, 4 with both.
    std::int32_t state() const;
    void detach();
};

}  // namespace k72645::sim
