// Editing through the object model at a bookmark's edges, as Word does: InsertBefore goes inside
// a whole bookmark, InsertAfter outside it; Text over a whole bookmark deletes it; the
// learner's Delete key; AutoText entries inserted; bookmark names.
#include "sim_test_support.h"

namespace k72645::sim::testing {
namespace {

class EditingTest : public WordTest {
protected:
    void SetUp() override {
        WordTest::SetUp();
        writeFile(u"Lettre ORB.dot", R"({"k72645": "template", "story": [""],
            "autoText": [{"name": "vr", "value": "Voyages et rêves"}]})");
        writeFile(u"A.doc",
                  documentJson(R"(["a[m>bc<m]d"])", R"(, "attachedTemplate": ")" + toUtf8(folder) +
                                                        R"(Lettre ORB.dot")"));
        document = open(u"A.doc");
        bookmarks = object(get(document, u"Bookmarks"));
    }
    DispatchPtr range(const char16_t* name) {
        return object(get(object(call(bookmarks, u"Item", {name})), u"Range"));
    }
    std::u16string bookmarkText(const char16_t* name) { return text(get(range(name), u"Text")); }
    std::u16string content() { return text(get(object(get(document, u"Content")), u"Text")); }

    DispatchPtr document;
    DispatchPtr bookmarks;
};

TEST_F(EditingTest, InsertBeforeGoesInsideAWholeBookmarkInsertAfterOutside) {
    auto m = range(u"m");
    call(m, u"InsertBefore", {u"<"});
    EXPECT_EQ(bookmarkText(u"m"), u"<bc");
    EXPECT_EQ(text(get(m, u"Text")), u"<bc");
    call(m, u"InsertAfter", {u">"});
    EXPECT_EQ(bookmarkText(u"m"), u"<bc");
    EXPECT_EQ(text(get(m, u"Text")), u"<bc");  // a whole bookmark's range does not grow
    EXPECT_EQ(content(), u"a<bc>d\r");
    auto plain = object(call(document, u"Range", {std::int32_t{0}, std::int32_t{1}}));
    call(plain, u"InsertAfter", {u"!"});
    EXPECT_EQ(text(get(plain, u"Text")), u"a!");
}

TEST_F(EditingTest, TextOverAWholeBookmarkDeletesItTheDeleteKeyCutsIt) {
    auto selection = object(get(app, u"Selection"));
    call(selection, u"GoTo", {std::int32_t{-1}, Variant::missing(), Variant::missing(), u"m"});
    EXPECT_EQ(number(call(selection, u"Delete", {std::int32_t{1}, std::int32_t{1}})), 1);
    EXPECT_EQ(bookmarkText(u"m"), u"c");
    EXPECT_EQ(errorOf([&] { call(selection, u"Delete", {std::int32_t{4}}); }), 5);
    put(range(u"m"), u"Text", u"BC");
    EXPECT_FALSE(vb::cBool(call(bookmarks, u"Exists", {u"m"})));
    EXPECT_EQ(content(), u"aBCd\r");
}

TEST_F(EditingTest, AutoTextInsertReplacesTheRangeAndReturnsTheEntry) {
    auto entry =
        object(call(object(get(object(get(document, u"AttachedTemplate")), u"AutoTextEntries")),
                    u"Item", {u"vr"}));
    auto selection = object(get(app, u"Selection"));
    auto inserted = object(call(entry, u"Insert", {get(selection, u"Range"), true}));
    EXPECT_EQ(text(get(inserted, u"Text")), u"Voyages et rêves");
    EXPECT_EQ(number(get(selection, u"Start")), 16);  // the insertion point follows it
    EXPECT_EQ(errorOf([&] { call(entry, u"Insert", {u"ici"}); }), 13);
}

TEST_F(EditingTest, BookmarkNamesAreLettersDigitsAndUnderscores) {
    auto whole = object(get(document, u"Content"));
    for (const char16_t* bad :
         {u"", u"1abc", u"deux mots", u"a-b", u"abcdefghijabcdefghijabcdefghijabcdefghijK"}) {
        EXPECT_EQ(errorOf([&] { call(bookmarks, u"Add", {bad, whole}); }), 5828) << toUtf8(bad);
    }
    for (const char16_t* good : {u"s01", u"Été_2", u"_cache"})
        EXPECT_EQ(errorOf([&] { call(bookmarks, u"Add", {good, whole}); }), 0) << toUtf8(good);
}

}  // namespace
}  // namespace k72645::sim::testing
