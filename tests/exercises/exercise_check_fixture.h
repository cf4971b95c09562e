// A fixture for the failures of the exercises' checks: the exercise created by number and
// prepared as the Module does it (the delivered files moved to their working names, templates
// into their own folder), given a simulated Word or a wrapper of it that injects a fault or a
// value Word cannot give; the learner played through Word by member name.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "automation/vb.h"
#include "component/test_support.h"
#include "exercises/exercise_factory.h"

namespace k72645::testing {

// Makes one member of every object reached from a Word read as a fixed value, when armed (a
// count beyond a 16-bit Integer, a query the learner cannot type); counts its reads.
struct FixedValue {
    std::u16string member;
    Variant value;
    bool armed = false;
    int reads = 0;
};

class FixedValueDispatch : public Dispatch {
public:
    FixedValueDispatch(DispatchPtr inner, std::shared_ptr<FixedValue> fixed)
        : inner_(std::move(inner)), fixed_(std::move(fixed)) {}
    Variant invoke(std::u16string_view name, InvokeKind kind, Arguments& args) override {
        if (kind != InvokeKind::PropertyPut && equalsIgnoreCase(name, fixed_->member)) {
            ++fixed_->reads;
            if (fixed_->armed)
                return fixed_->value;
        }
        Variant result = inner_->invoke(name, kind, args);
        if (result.isObject() && result.object())
            return DispatchPtr(std::make_shared<FixedValueDispatch>(result.object(), fixed_));
        return result;
    }
    const void* identity() const override { return inner_->identity(); }

private:
    DispatchPtr inner_;
    std::shared_ptr<FixedValue> fixed_;
};

class ExerciseCheckTest : public SimTest {
protected:
    ExerciseCheckTest() {
        word = world->startWord();
        std::filesystem::create_directories(templates.native());
    }

    // The exercise prepared in Word, or in the wrapper given; documents of an earlier
    // preparation are closed first, their templates' changes dropped too (Word would ask
    // whether to save a changed template when its last document closes).
    void prepare(int exercise, DispatchPtr through = nullptr) {
        const DispatchPtr open = toObject(app(u"Documents"));
        for (std::int32_t i = vb::cLng(get(open, u"Count")); i >= 1; --i)
            put(toObject(get(toObject(get(open, u"Item", {i})), u"AttachedTemplate")), u"Saved",
                true);
        call(app(u"Documents"), u"Close", {std::int32_t{0}});
        question = createExercise(exercise, {platform.files, platform.sleeper, platform.runtime});
        deliver(exercise, folder);
        const Variant list = get(question, u"FichiersDeTravail");
        for (std::int32_t i = 1; i <= vb::cLng(call(list, u"count")); ++i) {
            const Variant record = member(list, u"Item", {i});
            const std::u16string source = vb::cStr(member(record, u"NomSource"));
            if (source.empty())
                continue;
            const bool isTemplate = vb::cBool(member(record, u"Modele"));
            const std::u16string target =
                (isTemplate ? templates : folder).path() + vb::cStr(member(record, u"NomDest"));
            ignoringErrors([&] { platform.files->deleteFile(target); });  // an earlier copy
            platform.files->moveFile(folder.path() + source, target);
        }
        Arguments args{Argument::ref(through ? through : word), folder.path(), templates.path()};
        callWith(question, u"Prepare", args);
    }
    std::shared_ptr<Fault> prepareFaulty(int exercise, std::u16string member) {
        auto fault = std::make_shared<Fault>(Fault{std::move(member)});
        prepare(exercise, FaultyDispatch::wrap(word, fault));
        return fault;
    }
    // Prepared through a Word whose `member` reads as `value` once Prepare is done.
    std::shared_ptr<FixedValue> prepareFixed(int exercise, std::u16string member, Variant value) {
        auto fixed = std::make_shared<FixedValue>(FixedValue{std::move(member), std::move(value)});
        prepare(exercise, std::make_shared<FixedValueDispatch>(word, fixed));
        fixed->armed = true;
        return fixed;
    }

    std::u16string check() {
        call(question, u"TestePoint");
        return vb::cStr(get(question, u"CauseErreur"));
    }
    void checkOnly() { call(question, u"TestePoint"); }
    // The source of a check's failure, located by the exercise's class.
    static std::u16string at(int exercise, std::u16string_view object = u"Microsoft Word") {
        return located(u"Question0" + fromUtf8(std::to_string(exercise)), u"TestePoint", object);
    }

    Variant app(std::u16string_view name, Arguments args = {}) {
        return member(word, name, std::move(args));
    }
    Variant activeDocument() { return app(u"ActiveDocument"); }
    Variant document(const Variant& nameOrIndex) {
        return member(app(u"Documents"), u"Item", {nameOrIndex});
    }
    Variant mailMerge() { return member(activeDocument(), u"MailMerge"); }
    Variant dataSource() { return member(mailMerge(), u"DataSource"); }
    Variant bookmarks() { return member(activeDocument(), u"Bookmarks"); }
    // The learner replaces a bookmark's text, in the simulator's markup.
    void typeOver(const std::u16string& bookmark, const std::u16string& markup) {
        put(member(member(bookmarks(), u"Item", {bookmark}), u"Range"), u"Markup", markup);
    }
    void deleteBookmark(const std::u16string& name) {
        call(member(bookmarks(), u"Item", {name}), u"Delete");
    }
    Variant view() { return member(app(u"ActiveWindow"), u"View"); }
    bool fieldCodes() { return vb::cBool(member(view(), u"ShowFieldCodes")); }
    void setFieldCodes(bool shown) { put(view(), u"ShowFieldCodes", shown); }

    DispatchPtr word;
    DispatchPtr question;
    TempFolder folder;
    TempFolder templates;
};

}  // namespace k72645::testing
