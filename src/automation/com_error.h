// An automation failure as it travels through the component: the number, source,
// description, help file and help context of a COM error (what VB's Err object holds).
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace k72645 {

class ComError : public std::exception {
public:
    ComError(std::int32_t number, std::u16string source, std::u16string description,
             std::u16string helpFile = {}, std::int32_t helpContext = 0);

    std::int32_t number() const { return number_; }
    const std::u16string& source() const { return source_; }
    const std::u16string& description() const { return description_; }
    const std::u16string& helpFile() const { return helpFile_; }
    std::int32_t helpContext() const { return helpContext_; }

    // The same error with another source: what re-raising with a location message does.
    ComError withSource(std::u16string source) const;

    // UTF-8 summary "number: description (source)" for diagnostics.
    const char* what() const noexcept override { return what_.c_str(); }

private:
    std::int32_t number_;
    std::u16string source_;
    std::u16string description_;
    std::u16string helpFile_;
    std::int32_t helpContext_;
    std::string what_;
};

// The errors of VB's runtime and of the automation layer, with VB's numbers and texts.
namespace errors {
inline constexpr std::int32_t kInvalidCall = 5;
inline constexpr std::int32_t kOverflow = 6;
inline constexpr std::int32_t kOutOfMemory = 7;
inline constexpr std::int32_t kSubscriptOutOfRange = 9;
inline constexpr std::int32_t kTypeMismatch = 13;
inline constexpr std::int32_t kInternalError = 51;
inline constexpr std::int32_t kBadFileName = 52;
inline constexpr std::int32_t kFileNotFound = 53;
inline constexpr std::int32_t kFileAlreadyOpen = 55;
inline constexpr std::int32_t kFileAlreadyExists = 58;
inline constexpr std::int32_t kPermissionDenied = 70;
inline constexpr std::int32_t kPathFileAccessError = 75;
inline constexpr std::int32_t kPathNotFound = 76;
inline constexpr std::int32_t kObjectNotSet = 91;
inline constexpr std::int32_t kCannotCreateObject = 429;
inline constexpr std::int32_t kMemberNotFound = 438;
inline constexpr std::int32_t kArgumentNotOptional = 449;
inline constexpr std::int32_t kServerUnavailable = 462;

// The description VB gives a runtime error number ("" when it has none of its own).
std::u16string descriptionOf(std::int32_t number);

// A runtime error with VB's description; the source defaults to the component's project name.
ComError runtime(std::int32_t number, std::u16string source = u"K72645");

inline ComError overflow() {
    return runtime(kOverflow);
}
inline ComError subscriptOutOfRange() {
    return runtime(kSubscriptOutOfRange);
}
inline ComError typeMismatch() {
    return runtime(kTypeMismatch);
}
inline ComError objectNotSet() {
    return runtime(kObjectNotSet);
}
inline ComError memberNotFound() {
    return runtime(kMemberNotFound);
}
inline ComError invalidCall() {
    return runtime(kInvalidCall);
}
inline ComError argumentNotOptional() {
    return runtime(kArgumentNotOptional);
}
}  // namespace errors

}  // namespace k72645
