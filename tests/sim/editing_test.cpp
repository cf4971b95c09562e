// Bookmark names Word refuses.
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
    DispatchPtr document;
    DispatchPtr bookmarks;
};

TEST_F(EditingTest, BookmarkNamesAreLettersDigitsAndUnderscores) {
    auto whole = object(get(document, u"Content"));
    for (const char16_t* bad :
         {u"", u"1abc", u"deux mots", u"a-b", u"abcdefghijabcdefghijabcdefghijabcdefghijK"}) {
        EXPECT_COM_ERROR(call(bookmarks, u"Add", {bad, whole}), 5828) << toUtf8(bad);
    }
    for (const char16_t* good : {u"s01", u"Été_2", u"_cache"})
        EXPECT_NO_THROW(call(bookmarks, u"Add", {good, whole})) << toUtf8(good);
}

}  // namespace
}  // namespace k72645::sim::testing
