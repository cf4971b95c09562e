// A Module on a fresh simulated world, with a working folder and short ways to reach the
// Word it uses.
#pragma once

#include "automation/vb.h"
#include "component/module.h"
#include "component/test_support.h"

namespace k72645::testing {

class ModuleTest : public SimTest {
protected:
    // Starts an exercise from a fresh delivery, as the player does.
    void start(int exercise) {
        folders.push_back(std::make_unique<TempFolder>());
        module.InitQuestion(exercise, deliver(exercise, *folders.back()), app, hwnd);
    }
    const TempFolder& folder() const { return *folders.back(); }
    std::u16string folderPath() const { return folder().path(); }

    Variant word(std::u16string_view name, Arguments args = {}) {
        return member(app, name, std::move(args));
    }
    Variant activeDocument() { return word(u"ActiveDocument"); }
    std::int32_t documentCount() { return vb::cLng(member(word(u"Documents"), u"Count")); }
    Variant document(const Variant& nameOrIndex) {
        return member(word(u"Documents"), u"Item", {nameOrIndex});
    }
    void check() { module.TestePoint(); }
    // "" when the check reached the exercise, the Module's code otherwise.
    std::u16string moduleCode() { return module.ErreurGenerale() ? module.CauseErreur() : u""; }

    Module module{platform};
    DispatchPtr app;
    std::int32_t hwnd = -1;
    std::vector<std::unique_ptr<TempFolder>> folders;
};

}  // namespace k72645::testing
