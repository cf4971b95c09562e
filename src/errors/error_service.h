// The error service: a procedure that reports its failures catches the current error and
// raises it again with a location message as its source, so that nested reports chain and the
// player receives the whole path, innermost last. Also the two text helpers of the checks.
#pragma once

#include <functional>
#include <string>

#include "automation/com_error.h"

namespace k72645 {

// "DLL K72645 - CLASSE " + className + LF + CR + " - SERVICE " + procedure + " - OBJET " + object.
std::u16string locationMessage(std::u16string_view className, std::u16string_view procedure,
                               std::u16string_view object);

// Raises the current error again with the location message as its source; the number,
// description, help file and help context stay. Never returns.
[[noreturn]] void raiseWithLocation(const ComError& current, std::u16string_view className,
                                    std::u16string_view procedure);

// Runs body; a failure leaves through raiseWithLocation with the class and procedure given.
// A C++ exception that is not a ComError is first turned into one (see currentError), so
// the error that leaves is always a ComError whose source is the location message.
void reporting(std::u16string_view className, std::u16string_view procedure,
               const std::function<void()>& body);

// The ComError that stands for the exception being handled:
//   - a ComError: itself, unchanged;
//   - std::bad_alloc: error 7 "Out of memory", source "K72645";
//   - any other std::exception: error 51, source "K72645", description
//     "Internal error: " followed by the exception's what() text read as UTF-8 (just
//     "Internal error" when that text is empty);
//   - anything else thrown: error 51 "Internal error", source "K72645".
// Meant for catch blocks; called with no exception being handled it returns error 51
// "Internal error" rather than ending the program.
ComError currentError();

// The component's boundary with the player: runs one of the player's calls so that only
// ComErrors leave it. A ComError passes unchanged (its source is what the call's own error
// handling made of it); any other exception leaves as the ComError that currentError() makes
// of it, without a location message, as an error that no procedure reported. Procedures
// that report through `reporting` never let anything else out; this covers the stretches
// that let errors pass to the player unchanged.
void atComponentBoundary(const std::function<void()>& call);

// Runs one statement with its failure ignored ("On Error Resume Next" for that statement):
// every exception is swallowed, as VB swallows every runtime error there.
// Returns false when it failed.
bool ignoringErrors(const std::function<void()>& statement);

// Every character but the space (32) kept, in order.
std::u16string removeSpaces(std::u16string_view text);
// Every no-break space (160) replaced by a space; same length.
std::u16string replaceNoBreakSpaces(std::u16string_view text);

}  // namespace k72645
