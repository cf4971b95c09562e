// The player reads the exercises' lists by index: a bad index or argument raises, and leaves
// the list as it was.
#include <gtest/gtest.h>

#include <limits>

#include "files/file_lists.h"
#include "support/com_error_expect.h"

namespace k72645 {
namespace {

TEST(FileLists, BadIndexesAndArgumentsRaiseAndChangeNothing) {
    auto files = FichiersDeTravail::create();
    files->add(u"7264-501.doc", u"Lettre.doc", false);
    for (std::int32_t bad : {0, -1, 2, std::numeric_limits<std::int32_t>::min(),
                             std::numeric_limits<std::int32_t>::max()})
        EXPECT_COM_ERROR(get(files, u"Item", {Variant(bad)}), errors::kSubscriptOutOfRange) << bad;
    EXPECT_COM_ERROR(get(files, u"Item"), errors::kArgumentNotOptional);
    EXPECT_COM_ERROR(files->item(0), errors::kSubscriptOutOfRange);
    // A record handed out outlives the list and cannot be written.
    DispatchPtr record = toObject(get(files, u"Item", {Variant(1)}));
    files.reset();
    EXPECT_EQ(get(record, u"NomDest"), Variant(u"Lettre.doc"));
    EXPECT_COM_ERROR(put(record, u"NomDest", Variant(u"x")), errors::kMemberNotFound);

    auto lines = ComplementInfo::create();
    call(lines, u"add", {Variant(u" 7"), Variant(0)});
    for (std::int32_t bad : {0, -5, 2})
        EXPECT_COM_ERROR(get(lines, u"item", {Variant(bad)}), errors::kSubscriptOutOfRange) << bad;
    EXPECT_COM_ERROR(call(lines, u"add", {Variant(u"x"), Variant(u"zero")}), errors::kTypeMismatch);
    EXPECT_COM_ERROR(call(lines, u"add"), errors::kArgumentNotOptional);
    EXPECT_EQ(lines->count(), 1);
}

}  // namespace
}  // namespace k72645
