// How failures that are not COM errors leave the component: located where a service reports
// them, unlocated at the component's boundary; never as a C++ exception.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "errors/error_service.h"
#include "support/com_error_expect.h"

namespace k72645 {
namespace {

const std::u16string kLfCr = u"\n\r";

TEST(Reporting, OtherExceptionsBecomeLocatedComErrors) {
    const auto at = [](std::u16string_view className, std::u16string_view procedure) {
        return u"DLL K72645 - CLASSE " + std::u16string(className) + kLfCr + u" - SERVICE " +
               std::u16string(procedure) + u" - OBJET K72645";
    };
    EXPECT_COM_ERROR(reporting(u"Module", u"Nettoyage",
                               [] { throw std::logic_error("index \xC3\xA9puis\xC3\xA9"); }),
                     errors::kInternalError, at(u"Module", u"Nettoyage"));
    EXPECT_COM_ERROR(reporting(u"Question0510", u"Prepare", [] { throw std::bad_alloc(); }),
                     errors::kOutOfMemory, at(u"Question0510", u"Prepare"));
    EXPECT_COM_ERROR(reporting(u"Module", u"Quitter", [] { throw 42; }), errors::kInternalError,
                     at(u"Module", u"Quitter"));
    try {
        reporting(u"Module", u"Nettoyage", [] { throw std::logic_error("\xC3\xA9puis\xC3\xA9"); });
    } catch (const ComError& e) {
        EXPECT_EQ(e.description(), u"Internal error: épuisé");
    }
}

TEST(ComponentBoundary, OnlyComErrorsLeaveAndWordsPassUnchanged) {
    const ComError word(5152, u"Microsoft Word", u"Nom de fichier incorrect");
    EXPECT_COM_ERROR(atComponentBoundary([&] { throw word; }), 5152, u"Microsoft Word");
    EXPECT_COM_ERROR(atComponentBoundary([] { throw std::out_of_range("vector"); }),
                     errors::kInternalError, u"K72645");
    EXPECT_COM_ERROR(atComponentBoundary([] { throw std::bad_alloc(); }), errors::kOutOfMemory);
    EXPECT_EQ(currentError().number(), errors::kInternalError);  // outside a catch block
}

TEST(IgnoringErrors, SwallowsEveryKindAndTells) {
    EXPECT_TRUE(ignoringErrors([] {}));
    EXPECT_FALSE(ignoringErrors([] { throw errors::objectNotSet(); }));
    EXPECT_FALSE(ignoringErrors([] { throw std::runtime_error("x"); }));
    EXPECT_FALSE(ignoringErrors([] { throw 42; }));
}

}  // namespace
}  // namespace k72645
