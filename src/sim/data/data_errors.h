// The errors that the simulated Word's data engine raises, with Word's numbers and texts.
#pragma once

#include <cstdint>
#include <string>

#include "automation/com_error.h"

namespace k72645::sim::data_errors {

inline constexpr std::int32_t kObjectNotAvailable = 5852;
inline constexpr std::int32_t kInvalidParameter = 5853;
inline constexpr std::int32_t kUnableToOpenDataSource = 5922;
inline constexpr std::int32_t kNoSuchMember = 5941;

// 5922 "Word was unable to open the data source.", or that number with a description of
// what is wrong in a database file.
ComError unableToOpenDataSource();
ComError malformedDatabase(std::u16string description);
// 5941 "The requested member of the collection does not exist."
ComError noSuchMember();
// 5853 "Invalid parameter."
ComError invalidParameter();
// 5852 "Requested object is not available."
ComError objectNotAvailable();

}  // namespace k72645::sim::data_errors
