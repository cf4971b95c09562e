#include "sim/word/word_errors.h"

#include "sim/data/data_errors.h"

namespace k72645::sim::word_errors {
namespace {
constexpr char16_t kSource[] = u"Microsoft Word";
}

ComError wordError(std::int32_t number, std::u16string description) {
    return ComError(number, kSource, std::move(description));
}

ComError memberNotFound() {
    return errors::runtime(errors::kMemberNotFound, kSource);
}
ComError invalidArgument() {
    return errors::runtime(errors::kInvalidCall, kSource);
}
ComError serverUnavailable() {
    return errors::runtime(errors::kServerUnavailable, kSource);
}
ComError callRejected() {
    return wordError(kCallRejected, u"Call was rejected by callee.");
}

ComError noDocument() {
    return wordError(kNoDocument, u"This command is not available because no document is open.");
}

ComError collectionMember() {
    return data_errors::noSuchMember();
}

ComError fileNotFound(const std::u16string& path) {
    return wordError(kFileNotFound, u"This file could not be found. (" + path + u")");
}

ComError templateNotFound(const std::u16string& path) {
    return wordError(kTemplateNotFound, u"The template could not be found. (" + path + u")");
}

ComError unknownBookmark() {
    return wordError(kUnknownBookmark, u"This bookmark does not exist.");
}

ComError badBookmarkName() {
    return wordError(kBadBookmarkName, u"Bad bookmark name.");
}

ComError noDataSource() {
    return data_errors::objectNotAvailable();
}

ComError notMainDocument() {
    return wordError(kNotMainDocument,
                     u"This method or property is not available because the document is not a "
                     u"mail merge main document.");
}

ComError valueOutOfRange() {
    return wordError(kValueOutOfRange, u"Value out of range");
}
ComError commandFailed() {
    return wordError(kCommandFailed, u"Command failed");
}

ComError noRecordsToMerge() {
    return wordError(kNoRecordsToMerge,
                     u"Word could not merge the main document with the data source because the "
                     u"data records were empty or no data records matched your query options.");
}

ComError corruptFile(std::u16string description) {
    return wordError(kCorruptFile, std::move(description));
}

}  // namespace k72645::sim::word_errors
