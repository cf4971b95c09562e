// A simulated world with one Word started, and short ways to call it by name, for the tests of
// the simulated Word.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "automation/dispatch.h"
#include "automation/text.h"
#include "automation/vb.h"
#include "sim/runtime/sim_world.h"
#include "sim/word/word_paths.h"
#include "support/com_error_expect.h"

namespace k72645::sim::testing {

// A member path call: get(app, u"Documents") and so on, with results as variants.
inline DispatchPtr object(const Variant& value) {
    return toObject(value);
}
inline std::u16string text(const Variant& value) {
    return vb::cStr(vb::valueOf(value));
}
inline std::int32_t number(const Variant& value) {
    return vb::cLng(vb::valueOf(value));
}

class WordTest : public ::testing::Test {
protected:
    void SetUp() override {
        world = SimWorld::create();
        world->setClock([] { return 45000.5; });  // 15 March 2023, 12:00
        app = world->startWord();
        folder = world->userFolder() + u"/Documents/";
    }

    // Writes a file of the working folder and returns its full name.
    std::u16string writeFile(const std::u16string& name, const std::string& content) {
        const std::u16string path = folder + name;
        world->files()->writeFile(path, content);
        return path;
    }
    std::string readFile(const std::u16string& name) {
        return world->files()->readFile(folder + name);
    }

    DispatchPtr documents() { return object(get(app, u"Documents")); }
    DispatchPtr open(const std::u16string& name) {
        return object(call(documents(), u"Open", {folder + name}));
    }
    DispatchPtr active() { return object(get(app, u"ActiveDocument")); }

    std::shared_ptr<SimWorld> world;
    DispatchPtr app;
    std::u16string folder;
};

// A document file holding the story's paragraphs (markup, written as JSON strings).
std::string documentJson(const std::string& storyJson, const std::string& extra = "");
std::string databaseJson();  // Clients: three records

}  // namespace k72645::sim::testing
