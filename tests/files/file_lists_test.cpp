#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "automation/vb.h"
#include "files/file_lists.h"

namespace k72645 {
namespace {

std::int32_t errorNumberOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const ComError& e) {
        return e.number();
    }
    return 0;
}

DispatchPtr threeFiles() {
    auto files = FichiersDeTravail::create();
    files->add(u"7264-501.doc", u"Lettre.doc", false);
    files->add(u"", u"Destinataires.mdb", false);
    files->add(u"7264-501.dot", u"Courrier.dot", true);
    return files;
}

TEST(FichiersDeTravail, ReadByNameInTheOrderAdded) {
    DispatchPtr files = threeFiles();
    EXPECT_EQ(call(files, u"count"), Variant(3));
    DispatchPtr first = toObject(get(files, u"Item", {Variant(1)}));
    EXPECT_EQ(get(first, u"NomSource"), Variant(u"7264-501.doc"));
    EXPECT_EQ(get(first, u"NomDest"), Variant(u"Lettre.doc"));
    EXPECT_EQ(vb::cInt(get(first, u"Modele")), vb::kFalse);
    DispatchPtr second = toObject(get(files, u"Item", {Variant(2)}));
    EXPECT_EQ(get(second, u"NomSource"), Variant(u""));           // nothing delivered stays empty
    DispatchPtr third = toObject(get(files, u"", {Variant(3)}));  // Item is the default member
    EXPECT_EQ(get(third, u"NomDest"), Variant(u"Courrier.dot"));
    EXPECT_EQ(vb::cInt(get(third, u"Modele")), vb::kTrue);
}

TEST(FichiersDeTravail, MembersAnswerInAnyCaseAndConvertTheirArguments) {
    auto files = FichiersDeTravail::create();
    call(files, u"ADD", {Variant(u"a.doc"), Variant(u"b.doc"), Variant(-1)});
    call(files, u"Add", {Variant(u"c.doc"), Variant(std::int16_t{12}), Variant(u"False")});
    EXPECT_EQ(call(files, u"COUNT"), Variant(2));
    EXPECT_EQ(get(files, u"Count"), Variant(2));
    DispatchPtr second = toObject(get(files, u"item", {Variant(u"2")}));
    EXPECT_EQ(get(second, u"nomdest"), Variant(u"12"));
    EXPECT_EQ(get(second, u"MODELE"), Variant(false));
    EXPECT_TRUE(files->item(1).Modele);
    EXPECT_EQ(errorNumberOf([&] {
                  call(files, u"add", {Variant(u"x"), Variant(u"y")});
              }),
              errors::kArgumentNotOptional);
    EXPECT_EQ(files->count(), 2);  // a refused add leaves the list as it was
    EXPECT_EQ(errorNumberOf([&] { get(files, u"Items", {Variant(1)}); }), errors::kMemberNotFound);
}

TEST(FichiersDeTravail, BadIndexRaises9) {
    auto empty = FichiersDeTravail::create();
    EXPECT_EQ(empty->count(), 0);
    EXPECT_EQ(errorNumberOf([&] { get(empty, u"Item", {Variant(1)}); }),
              errors::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { empty->item(0); }), errors::kSubscriptOutOfRange);
    DispatchPtr files = threeFiles();
    for (std::int32_t bad : {0, -1, 4, std::numeric_limits<std::int32_t>::min(),
                             std::numeric_limits<std::int32_t>::max()}) {
        EXPECT_EQ(errorNumberOf([&] { get(files, u"Item", {Variant(bad)}); }),
                  errors::kSubscriptOutOfRange)
            << bad;
    }
    try {
        get(files, u"Item", {Variant(4)});
    } catch (const ComError& e) {
        EXPECT_EQ(e.description(), u"Subscript out of range");
    }
    EXPECT_EQ(call(files, u"count"), Variant(3));
    EXPECT_EQ(errorNumberOf([&] { get(files, u"Item"); }), errors::kArgumentNotOptional);
}

TEST(FichiersDeTravail, ElementsAreCopies) {
    auto files = FichiersDeTravail::create();
    std::u16string source = u"source.doc";
    files->add(source, u"dest.doc", false);
    source = u"changed";
    EXPECT_EQ(files->item(1).NomSource, u"source.doc");
    Fichier copy = files->item(1);
    copy.NomDest = u"autre.doc";
    copy.Modele = true;
    EXPECT_EQ(files->item(1).NomDest, u"dest.doc");
    EXPECT_FALSE(files->item(1).Modele);
    // A record handed out by name outlives the list and does not follow later adds.
    DispatchPtr record = toObject(get(files, u"Item", {Variant(1)}));
    files.reset();
    EXPECT_EQ(get(record, u"NomDest"), Variant(u"dest.doc"));
    EXPECT_EQ(errorNumberOf([&] { put(record, u"NomDest", Variant(u"x")); }),
              errors::kMemberNotFound);
}

TEST(ComplementInfo, LinesByNameWithTheUnusedSecondArgument) {
    auto lines = ComplementInfo::create();
    EXPECT_EQ(call(lines, u"count"), Variant(0));
    EXPECT_EQ(errorNumberOf([&] { get(lines, u"item", {Variant(1)}); }),
              errors::kSubscriptOutOfRange);
    call(lines, u"add", {Variant(u" 7"), Variant(0)});
    call(lines, u"ADD", {Variant(u"-1"), Variant(0)});
    call(lines, u"Add", {Variant(u"")});
    EXPECT_EQ(call(lines, u"Count"), Variant(3));
    EXPECT_EQ(get(lines, u"item", {Variant(1)}), Variant(u" 7"));
    EXPECT_EQ(get(lines, u"ITEM", {Variant(2)}), Variant(u"-1"));
    EXPECT_EQ(get(lines, u"", {Variant(3)}), Variant(u""));
    for (std::int32_t bad : {0, -5, 4}) {
        EXPECT_EQ(errorNumberOf([&] { get(lines, u"item", {Variant(bad)}); }),
                  errors::kSubscriptOutOfRange)
            << bad;
    }
    EXPECT_EQ(errorNumberOf([&] {
                  call(lines, u"add", {Variant(u"x"), Variant(u"zero")});
              }),
              errors::kTypeMismatch);
    EXPECT_EQ(errorNumberOf([&] { call(lines, u"add"); }), errors::kArgumentNotOptional);
    EXPECT_EQ(lines->count(), 3);
}

TEST(ComplementInfo, LinesAreCopies) {
    auto lines = ComplementInfo::create();
    std::u16string line = u"Dupont";
    lines->add(line);
    line += u" Jean";
    std::u16string read = lines->item(1);
    read.clear();
    EXPECT_EQ(lines->item(1), u"Dupont");
    EXPECT_EQ(lines->count(), 1);
}

}  // namespace
}  // namespace k72645
