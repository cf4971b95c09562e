#include "errors/error_service.h"

#include <exception>
#include <new>

#include "automation/text.h"

namespace k72645 {

namespace {
constexpr std::u16string_view kProjectName = u"K72645";
constexpr std::u16string_view kInternalError = u"Internal error";

ComError internalError(std::u16string_view detail) {
    std::u16string description(kInternalError);
    if (!detail.empty()) {
        description += u": ";
        description += detail;
    }
    return ComError(errors::kInternalError, std::u16string(kProjectName), std::move(description));
}
}  // namespace

std::u16string locationMessage(std::u16string_view className, std::u16string_view procedure,
                               std::u16string_view object) {
    std::u16string message = u"DLL K72645 - CLASSE ";
    message += className;
    // Line feed first, then carriage return: the order the player has always received.
    message += u'\n';
    message += u'\r';
    message += u" - SERVICE ";
    message += procedure;
    message += u" - OBJET ";
    message += object;
    return message;
}

void raiseWithLocation(const ComError& current, std::u16string_view className,
                       std::u16string_view procedure) {
    throw current.withSource(locationMessage(className, procedure, current.source()));
}

ComError currentError() {
    std::exception_ptr handled = std::current_exception();
    if (!handled)
        return internalError(u"");
    try {
        std::rethrow_exception(handled);
    } catch (const ComError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return errors::runtime(errors::kOutOfMemory, std::u16string(kProjectName));
    } catch (const std::exception& other) {
        return internalError(fromUtf8(other.what()));
    } catch (...) {
        return internalError(u"");
    }
}

void reporting(std::u16string_view className, std::u16string_view procedure,
               const std::function<void()>& body) {
    try {
        body();
    } catch (...) {
        raiseWithLocation(currentError(), className, procedure);
    }
}

void atComponentBoundary(const std::function<void()>& call) {
    try {
        call();
    } catch (const ComError&) {
        throw;
    } catch (...) {
        throw currentError();
    }
}

bool ignoringErrors(const std::function<void()>& statement) {
    try {
        statement();
        return true;
    } catch (...) {
        return false;
    }
}

std::u16string removeSpaces(std::u16string_view text) {
    std::u16string kept;
    kept.reserve(text.size());
    for (char16_t c : text) {
        if (c != u' ')
            kept += c;
    }
    return kept;
}

std::u16string replaceNoBreakSpaces(std::u16string_view text) {
    std::u16string result(text);
    for (char16_t& c : result) {
        if (ansiCode(c) == 160)
            c = u' ';
    }
    return result;
}

}  // namespace k72645
