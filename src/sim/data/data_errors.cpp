#include "sim/data/data_errors.h"

namespace k72645::sim::data_errors {
namespace {
constexpr char16_t kSource[] = u"Microsoft Word";
}

ComError unableToOpenDataSource() {
    return ComError(kUnableToOpenDataSource, kSource, u"Word was unable to open the data source.");
}

ComError malformedDatabase(std::u16string description) {
    return ComError(kUnableToOpenDataSource, kSource, std::move(description));
}

ComError noSuchMember() {
    return ComError(kNoSuchMember, kSource,
                    u"The requested member of the collection does not exist.");
}

ComError invalidParameter() {
    return ComError(kInvalidParameter, kSource, u"Invalid parameter.");
}

ComError objectNotAvailable() {
    return ComError(kObjectNotAvailable, kSource, u"Requested object is not available.");
}

}  // namespace k72645::sim::data_errors
