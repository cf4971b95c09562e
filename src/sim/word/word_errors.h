// The errors the simulated Word raises, with Word's numbers and texts (source "Microsoft Word").
#pragma once

#include <cstdint>
#include <string>

#include "automation/com_error.h"

namespace k72645::sim::word_errors {

inline constexpr std::int32_t kCallRejected = -2147418111;  // RPC_E_CALL_REJECTED
inline constexpr std::int32_t kCommandFailed = 4198;
inline constexpr std::int32_t kNoDocument = 4248;
inline constexpr std::int32_t kNotMainDocument = 4605;
inline constexpr std::int32_t kValueOutOfRange = 4608;
inline constexpr std::int32_t kUnknownBookmark = 5101;
inline constexpr std::int32_t kTemplateNotFound = 5151;
inline constexpr std::int32_t kFileNotFound = 5174;
inline constexpr std::int32_t kNoRecordsToMerge = 5631;
inline constexpr std::int32_t kCorruptFile = 5792;
inline constexpr std::int32_t kBadBookmarkName = 5828;
inline constexpr std::int32_t kCollectionMember = 5941;

ComError wordError(std::int32_t number, std::u16string description);

ComError memberNotFound();                              // 438
ComError invalidArgument();                             // 5
ComError serverUnavailable();                           // 462
ComError callRejected();                                // -2147418111
ComError noDocument();                                  // 4248
ComError collectionMember();                            // 5941
ComError fileNotFound(const std::u16string& path);      // 5174
ComError templateNotFound(const std::u16string& path);  // 5151
ComError unknownBookmark();                             // 5101
ComError badBookmarkName();                             // 5828
ComError noDataSource();                                // 5852
ComError notMainDocument();                             // 4605
ComError valueOutOfRange();                             // 4608
ComError commandFailed();                               // 4198
ComError noRecordsToMerge();                            // 5631
// A document or template file that cannot be read: "<file>, line N: <what is wrong>".
ComError corruptFile(std::u16string description);  // 5792

}  // namespace k72645::sim::word_errors
