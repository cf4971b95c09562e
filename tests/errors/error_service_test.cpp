#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "errors/error_service.h"

namespace k72645 {
namespace {

// The error that leaves f, or a marker error when f returns.
ComError errorFrom(const std::function<void()>& f) {
    try {
        f();
    } catch (const ComError& e) {
        return e;
    }
    return ComError(-1, u"returned", u"no error");
}

const std::u16string kLfCr = u"\n\r";

TEST(LocationMessage, PiecesInOrderWithLineFeedBeforeCarriageReturn) {
    EXPECT_EQ(locationMessage(u"Module", u"InitQuestion", u"Microsoft Word"),
              u"DLL K72645 - CLASSE Module\n\r - SERVICE InitQuestion - OBJET Microsoft Word");
    EXPECT_EQ(locationMessage(u"Question0501", u"Prepare", u""),
              u"DLL K72645 - CLASSE Question0501" + kLfCr + u" - SERVICE Prepare - OBJET ");
}

TEST(RemonteErreur, NestedReportsChainTheSourceAndKeepTheRest) {
    // Word fails inside OleAccessible, which reports; InitQuestion reports it again.
    const ComError word(4605, u"Microsoft Word", u"Cette commande n'est pas disponible.",
                        u"C:\\Office\\wdmain11.chm", 37373);
    ComError received = errorFrom([&] {
        reporting(u"Module", u"InitQuestion",
                  [&] { reporting(u"Module", u"OleAccessible", [&] { throw word; }); });
    });
    const std::u16string inner =
        u"DLL K72645 - CLASSE Module" + kLfCr + u" - SERVICE OleAccessible - OBJET Microsoft Word";
    EXPECT_EQ(received.source(),
              u"DLL K72645 - CLASSE Module" + kLfCr + u" - SERVICE InitQuestion - OBJET " + inner);
    EXPECT_EQ(received.number(), 4605);
    EXPECT_EQ(received.description(), u"Cette commande n'est pas disponible.");
    EXPECT_EQ(received.helpFile(), u"C:\\Office\\wdmain11.chm");
    EXPECT_EQ(received.helpContext(), 37373);
}

TEST(RemonteErreur, EmptySourceEndsWithObjet) {
    ComError received = errorFrom(
        [] { reporting(u"Question0517", u"TestePoint", [] { throw ComError(91, u"", u"x"); }); });
    EXPECT_EQ(received.source(),
              u"DLL K72645 - CLASSE Question0517" + kLfCr + u" - SERVICE TestePoint - OBJET ");
    ComError direct =
        errorFrom([] { RemonteErreur(ComError(5, u"", u"y"), u"Module", u"ChangeDir"); });
    EXPECT_EQ(direct.source().substr(direct.source().size() - 9), u" - OBJET ");
    EXPECT_EQ(direct.number(), 5);
}

TEST(Reporting, ABodyThatSucceedsRaisesNothing) {
    int runs = 0;
    reporting(u"Module", u"Renomme", [&] { ++runs; });
    EXPECT_EQ(runs, 1);
}

TEST(Reporting, OtherExceptionsBecomeComErrors) {
    ComError logic = errorFrom([] {
        reporting(u"Module", u"Nettoyage",
                  [] { throw std::logic_error("index \xC3\xA9puis\xC3\xA9"); });
    });
    EXPECT_EQ(logic.number(), errors::kInternalError);
    EXPECT_EQ(logic.description(), u"Internal error: index épuisé");
    EXPECT_EQ(logic.source(),
              u"DLL K72645 - CLASSE Module" + kLfCr + u" - SERVICE Nettoyage - OBJET K72645");

    ComError memory =
        errorFrom([] { reporting(u"Question0510", u"Prepare", [] { throw std::bad_alloc(); }); });
    EXPECT_EQ(memory.number(), errors::kOutOfMemory);
    EXPECT_EQ(memory.description(), u"Out of memory");
    EXPECT_EQ(memory.source(),
              u"DLL K72645 - CLASSE Question0510" + kLfCr + u" - SERVICE Prepare - OBJET K72645");

    ComError foreign = errorFrom([] { reporting(u"Module", u"Quitter", [] { throw 42; }); });
    EXPECT_EQ(foreign.number(), errors::kInternalError);
    EXPECT_EQ(foreign.description(), u"Internal error");
}

TEST(CurrentError, OutsideACatchBlockIsAnInternalError) {
    ComError none = currentError();
    EXPECT_EQ(none.number(), errors::kInternalError);
    EXPECT_EQ(none.source(), u"K72645");
}

TEST(ComponentBoundary, OnlyComErrorsLeave) {
    const ComError word(5152, u"Microsoft Word", u"Nom de fichier incorrect");
    ComError passed = errorFrom([&] { atComponentBoundary([&] { throw word; }); });
    EXPECT_EQ(passed.number(), 5152);
    EXPECT_EQ(passed.source(), u"Microsoft Word");
    ComError converted =
        errorFrom([] { atComponentBoundary([] { throw std::out_of_range("vector"); }); });
    EXPECT_EQ(converted.number(), errors::kInternalError);
    EXPECT_EQ(converted.description(), u"Internal error: vector");
    EXPECT_EQ(converted.source(), u"K72645");
    EXPECT_EQ(errorFrom([] { atComponentBoundary([] { throw std::bad_alloc(); }); }).number(),
              errors::kOutOfMemory);
}

TEST(IgnoringErrors, SwallowsAndTells) {
    EXPECT_TRUE(ignoringErrors([] {}));
    EXPECT_FALSE(ignoringErrors([] { throw errors::objectNotSet(); }));
    EXPECT_FALSE(ignoringErrors([] { throw std::runtime_error("x"); }));
    EXPECT_FALSE(ignoringErrors([] { throw 42; }));
    // What the statement did before it failed stays done.
    int done = 0;
    EXPECT_FALSE(ignoringErrors([&] {
        done = 1;
        throw errors::typeMismatch();
    }));
    EXPECT_EQ(done, 1);
}

}  // namespace
}  // namespace k72645
