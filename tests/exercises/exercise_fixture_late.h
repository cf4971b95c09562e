// A fixture for the checks of exercises 510 to 518: the exercise created by number and prepared
// as the Module does it (delivered files moved to their working names, Prepare given a simulated
// Word or a wrapper of it), the learner played through Word by member name, the verdict read back.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "automation/text.h"
#include "automation/vb.h"
#include "component/test_support.h"
#include "exercises/exercise_factory.h"

namespace k72645::testing::late {

using Lines = std::vector<std::u16string>;

// Wraps a Word so that reading one property gives a fixed value (a record count Word cannot
// give, or one beyond a 16-bit Integer).
class FixedValueDispatch : public Dispatch {
public:
    FixedValueDispatch(DispatchPtr inner, std::u16string member, Variant value)
        : inner_(std::move(inner)), member_(std::move(member)), value_(std::move(value)) {}
    Variant invoke(std::u16string_view name, InvokeKind kind, Arguments& args) override {
        if (kind != InvokeKind::PropertyPut && equalsIgnoreCase(name, member_))
            return value_;
        Variant result = inner_->invoke(name, kind, args);
        if (result.isObject() && result.object())
            return DispatchPtr(
                std::make_shared<FixedValueDispatch>(result.object(), member_, value_));
        return result;
    }
    const void* identity() const override { return inner_->identity(); }

private:
    DispatchPtr inner_;
    std::u16string member_;
    Variant value_;
};

class LateExerciseTest : public SimTest {
protected:
    LateExerciseTest() { word = world->startWord(); }

    void prepare(int exercise, DispatchPtr through = nullptr) {
        question = createExercise(exercise, {platform.files, platform.sleeper, platform.runtime});
        deliver(exercise, folder);
        const Variant list = get(question, u"FichiersDeTravail");
        for (std::int32_t i = 1; i <= vb::cLng(call(list, u"count")); ++i) {
            const Variant record = member(list, u"Item", {i});
            const std::u16string source = vb::cStr(member(record, u"NomSource"));
            const std::u16string target = folder.path() + vb::cStr(member(record, u"NomDest"));
            if (source.empty())
                continue;
            ignoringErrors([&] { platform.files->deleteFile(target); });  // an earlier copy
            platform.files->moveFile(folder.path() + source, target);
        }
        Arguments args{Argument::ref(through ? through : word), folder.path(), folder.path()};
        callWith(question, u"Prepare", args);
    }
    // Prepare again, on a Word whose property `member` reads as `value`.
    void prepareFixed(int exercise, std::u16string member, Variant value) {
        call(app(u"Documents"), u"Close", {std::int32_t{0}});
        prepare(exercise, std::make_shared<FixedValueDispatch>(word, std::move(member), value));
    }
    std::u16string check() {
        call(question, u"TestePoint");
        return vb::cStr(get(question, u"CauseErreur"));
    }
    Lines complement() {
        Lines lines;
        const Variant list = get(question, u"ComplementInfo");
        for (std::int32_t i = 1; i <= vb::cLng(call(list, u"count")); ++i)
            lines.push_back(vb::cStr(call(list, u"item", {i})));
        return lines;
    }
    // The failure of a check: its number, and a source that names the class and TestePoint.
    void expectFailure(std::int32_t number, std::u16string_view className,
                       std::u16string_view object = u"Microsoft Word") {
        const ComError e = failureOf([&] { call(question, u"TestePoint"); });
        EXPECT_EQ(e.number(), number);
        EXPECT_EQ(e.source(), located(className, u"TestePoint", object));
    }

    Variant app(std::u16string_view name, Arguments args = {}) {
        return member(word, name, std::move(args));
    }
    Variant activeDocument() { return app(u"ActiveDocument"); }
    Variant document(const Variant& nameOrIndex) {
        return member(app(u"Documents"), u"Item", {nameOrIndex});
    }
    std::u16string activeName() { return vb::cStr(member(activeDocument(), u"Name")); }
    std::int32_t documentCount() { return vb::cLng(member(app(u"Documents"), u"Count")); }
    void openDatabase(const std::u16string& name) {
        call(app(u"Documents"), u"Open", {folder.path() + name});
        call(document(u"Agence.doc"), u"Activate");
    }
    Variant mailMerge() { return member(activeDocument(), u"MailMerge"); }
    Variant dataSource() { return member(mailMerge(), u"DataSource"); }
    std::int32_t activeRecord() { return vb::cLng(member(dataSource(), u"ActiveRecord")); }
    void setActiveRecord(std::int32_t record) { put(dataSource(), u"ActiveRecord", record); }
    std::u16string field(std::int32_t k) {
        return vb::cStr(member(member(dataSource(), u"DataFields"), u"Item", {k}));
    }
    void setField(std::int32_t k, const std::u16string& value) {
        put(member(member(dataSource(), u"DataFields"), u"Item", {k}), u"Value", value);
    }
    // The record left out of the merge; the first record becomes active again.
    void exclude(std::int32_t record) {
        setActiveRecord(record);
        put(dataSource(), u"Included", false);
        setActiveRecord(1);
    }
    void setQuery(const std::u16string& query) { put(dataSource(), u"QueryString", query); }
    Variant view() { return member(app(u"ActiveWindow"), u"View"); }
    bool fieldCodes() { return vb::cBool(member(view(), u"ShowFieldCodes")); }
    void setFieldCodes(bool shown) { put(view(), u"ShowFieldCodes", shown); }
    // Replaces a range of the active document, in the simulator's markup.
    void type(const Variant& range, const std::u16string& markup) { put(range, u"Markup", markup); }
    Variant bookmark(const std::u16string& name) {
        return member(member(member(activeDocument(), u"Bookmarks"), u"Item", {name}), u"Range");
    }

    DispatchPtr word;
    DispatchPtr question;
    TempFolder folder;
};

}  // namespace k72645::testing::late
