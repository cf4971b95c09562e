// The one way the tests expect an error: the statement must raise a ComError with this number
// and, unless the expected source is empty, a source that starts with it (a location message
// names the class, the procedure and the object at fault).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "automation/com_error.h"
#include "automation/text.h"

namespace k72645::testing {

inline ::testing::AssertionResult raisesComError(const std::function<void()>& statement,
                                                 std::int32_t number,
                                                 std::u16string_view source = {}) {
    try {
        statement();
    } catch (const ComError& e) {
        if (e.number() != number)
            return ::testing::AssertionFailure()
                   << "error " << e.number() << " instead of " << number << ": " << e.what();
        if (!e.source().starts_with(source))
            return ::testing::AssertionFailure()
                   << "source \"" << toUtf8(e.source()) << "\" does not start with \""
                   << toUtf8(std::u16string(source)) << "\"";
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "no error raised, " << number << " expected";
}

}  // namespace k72645::testing

#define EXPECT_COM_ERROR(statement, ...) \
    EXPECT_TRUE(::k72645::testing::raisesComError([&] { statement; }, __VA_ARGS__))
