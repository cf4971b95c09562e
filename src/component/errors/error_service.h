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
[[noreturn]] void RemonteErreur(const ComError& current, std::u16string_view className,
                                std::u16string_view procedure);

// Runs body; a failure leaves through RemonteErreur with the class and procedure given.
// A C++ exception that is not a ComError is first turned into one (see toComError).
void reporting(std::u16string_view className, std::u16string_view procedure,
               const std::function<void()>& body);

// The ComError that stands for the exception being handled: a ComError as it is; bad_alloc as
// error 7 "Out of memory"; any other exception as error 51 "Internal error" whose description
// carries the exception's text. Call only from inside a catch block.
ComError currentError();

// Runs one statement with its failure ignored ("On Error Resume Next" for that statement).
// Returns false when it failed.
bool ignoringErrors(const std::function<void()>& statement);

// Every character but the space (32) kept, in order.
std::u16string SupprimeEspaces(std::u16string_view text);
// Every no-break space (160) replaced by a space; same length.
std::u16string RemplaceInsecables(std::u16string_view text);

}  // namespace k72645
