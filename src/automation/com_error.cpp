#include "automation/com_error.h"

#include "automation/text.h"

namespace k72645 {

ComError::ComError(std::int32_t number, std::u16string source, std::u16string description,
                   std::u16string helpFile, std::int32_t helpContext)
    : number_(number),
      source_(std::move(source)),
      description_(std::move(description)),
      helpFile_(std::move(helpFile)),
      helpContext_(helpContext),
      what_(std::to_string(number) + ": " + toUtf8(description_) + " (" + toUtf8(source_) + ")") {}

ComError ComError::withSource(std::u16string source) const {
    return ComError(number_, std::move(source), description_, helpFile_, helpContext_);
}

namespace errors {

std::u16string descriptionOf(std::int32_t number) {
    switch (number) {
        case kInvalidCall:
            return u"Invalid procedure call or argument";
        case kOverflow:
            return u"Overflow";
        case kOutOfMemory:
            return u"Out of memory";
        case kSubscriptOutOfRange:
            return u"Subscript out of range";
        case kTypeMismatch:
            return u"Type mismatch";
        case kInternalError:
            return u"Internal error";
        case kBadFileName:
            return u"Bad file name or number";
        case kFileNotFound:
            return u"File not found";
        case kFileAlreadyOpen:
            return u"File already open";
        case kFileAlreadyExists:
            return u"File already exists";
        case kPermissionDenied:
            return u"Permission denied";
        case kPathFileAccessError:
            return u"Path/File access error";
        case kPathNotFound:
            return u"Path not found";
        case kObjectNotSet:
            return u"Object variable or With block variable not set";
        case kCannotCreateObject:
            return u"ActiveX component can't create object";
        case kMemberNotFound:
            return u"Object doesn't support this property or method";
        case kArgumentNotOptional:
            return u"Argument not optional";
        case kServerUnavailable:
            return u"The remote server machine does not exist or is unavailable";
        default:
            return u"";
    }
}

ComError runtime(std::int32_t number, std::u16string source) {
    return ComError(number, std::move(source), descriptionOf(number));
}

}  // namespace errors
}  // namespace k72645
