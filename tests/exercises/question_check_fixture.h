// A fixture for the exercises' checks: the exercise created and prepared against a simulated Word
// as the Module does it (the delivered files moved to their working names, the templates into a
// template folder), the learner played through Word's object model by name, and the verdict read
// back by name.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "automation/vb.h"
#include "component/test_support.h"
#include "exercises/exercise_factory.h"

namespace k72645::testing {

// Makes every object reached from a Word answer one member with a fixed value, when armed (a
// count that Word would report with many items, for instance).
struct Override {
    std::u16string member;
    Variant value;
    bool armed = false;
    int reads = 0;  // every call of the member, armed or not
};

class OverridingDispatch : public Dispatch {
public:
    OverridingDispatch(DispatchPtr inner, std::shared_ptr<Override> override)
        : inner_(std::move(inner)), override_(std::move(override)) {}

    Variant invoke(std::u16string_view name, InvokeKind kind, Arguments& args) override {
        if (equalsIgnoreCase(name, override_->member)) {
            ++override_->reads;
            if (override_->armed)
                return override_->value;
        }
        Variant result = inner_->invoke(name, kind, args);
        if (result.isObject() && result.object())
            return DispatchPtr(std::make_shared<OverridingDispatch>(result.object(), override_));
        return result;
    }
    const void* identity() const override { return inner_->identity(); }

private:
    DispatchPtr inner_;
    std::shared_ptr<Override> override_;
};

class QuestionCheckTest : public SimTest {
protected:
    QuestionCheckTest() {
        word = world->startWord();
        std::filesystem::create_directories(templates.native());
    }

    // The exercise prepared in Word. Prepare is given the Word of the fixture or a wrapper of it
    // (see Fault and Override).
    DispatchPtr prepared(int exercise, DispatchPtr application = nullptr) {
        question = createExercise(exercise, {platform.files, platform.sleeper, platform.runtime});
        deliver(exercise, folder);
        const Variant list = get(question, u"FichiersDeTravail");
        for (std::int32_t i = 1; i <= vb::cLng(call(list, u"count")); ++i) {
            const Variant record = member(list, u"Item", {i});
            const bool isTemplate = vb::cBool(member(record, u"Modele"));
            std::filesystem::rename(
                folder.native() / toUtf8(vb::cStr(member(record, u"NomSource"))),
                (isTemplate ? templates : folder).native() /
                    toUtf8(vb::cStr(member(record, u"NomDest"))));
        }
        Arguments args{Argument::ref(application ? application : word), folder.path(),
                       templates.path()};
        callWith(question, u"Prepare", args);
        return question;
    }

    // One check; the verdict it leaves.
    std::u16string check() {
        call(question, u"TestePoint");
        return vb::cStr(get(question, u"CauseErreur"));
    }
    // The failure of one check.
    ComError checkFailure() {
        return failureOf([&] { call(question, u"TestePoint"); });
    }
    std::vector<std::u16string> complementLines() {
        const Variant list = get(question, u"ComplementInfo");
        std::vector<std::u16string> lines;
        for (std::int32_t i = 1; i <= vb::cLng(call(list, u"count")); ++i)
            lines.push_back(vb::cStr(member(list, u"item", {i})));
        return lines;
    }

    Variant documents() { return member(word, u"Documents"); }
    Variant document(const Variant& nameOrIndex) {
        return member(documents(), u"Item", {nameOrIndex});
    }
    Variant activeDocument() { return member(word, u"ActiveDocument"); }
    Variant mailMerge() { return member(activeDocument(), u"MailMerge"); }
    std::int32_t documentCount() { return vb::cLng(member(documents(), u"Count")); }
    Variant bookmarkRange(const std::u16string& name) {
        return member(member(member(activeDocument(), u"Bookmarks"), u"Item", {name}), u"Range");
    }
    // The learner replaces the text of a bookmark (markup: fields in braces, \r, \v...).
    void typeOver(const std::u16string& bookmark, const std::u16string& markup) {
        put(bookmarkRange(bookmark), u"Markup", markup);
    }
    Variant view() { return member(member(word, u"ActiveWindow"), u"View"); }
    bool fieldCodesShown() { return vb::cBool(member(view(), u"ShowFieldCodes")); }
    void showFieldCodes(bool shown) { put(view(), u"ShowFieldCodes", shown); }
    // The verdict once the bookmark's text is replaced, checked with field codes shown, then
    // hidden: both checks give the same verdict and leave the display as they found it.
    std::u16string verdictFor(const std::u16string& bookmark, const std::u16string& markup) {
        typeOver(bookmark, markup);
        std::u16string verdicts[2];
        for (const bool shown : {true, false}) {
            showFieldCodes(shown);
            verdicts[shown] = check();
            EXPECT_EQ(fieldCodesShown(), shown) << toUtf8(markup);
        }
        EXPECT_EQ(verdicts[0], verdicts[1]) << toUtf8(markup);
        return verdicts[0];
    }
    void deleteBookmark(const std::u16string& name) {
        call(member(member(activeDocument(), u"Bookmarks"), u"Item", {name}), u"Delete");
    }

    DispatchPtr faulty(const std::shared_ptr<Fault>& fault) {
        return FaultyDispatch::wrap(word, fault);
    }
    DispatchPtr overriding(const std::shared_ptr<Override>& override) {
        return std::make_shared<OverridingDispatch>(word, override);
    }

    DispatchPtr word;
    DispatchPtr question;
    TempFolder folder;
    TempFolder templates;
};

}  // namespace k72645::testing
