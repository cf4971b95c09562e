#include "player/simulated_world.h"

#include "component/abstract_module_object.h"
#include "player/delivery.h"
#include "player/desktop_root.h"
#include "player/document_view.h"
#include "sim/runtime/sim_world.h"

namespace k72645::player {

namespace {

class SimulatedWorld : public ScenarioWorld, private ScenarioHost {
public:
    // Each scenario is a fresh load of the component in a fresh world: nothing of an earlier
    // world (Word's global object among the rest) is reused.
    explicit SimulatedWorld(std::shared_ptr<Delivery> delivery)
        : world_(sim::SimWorld::create()),
          platform_(world_->platform()),
          module_(createAbstractModule(platform_)),
          desktop_(DesktopRoot::create(world_->desktop())),
          delivery_(std::move(delivery)) {}

    std::vector<std::pair<std::u16string, DispatchPtr>> roots() override {
        return {{u"Module", module_}, {u"Sim", world_->simRoot()}, {u"Desktop", desktop_}};
    }
    ScenarioHost& host() override { return *this; }
    void finish() override {
        world_->quitAll();
        delivery_->removeFolders();
    }

private:
    bool fileExists(const std::u16string& path) override {
        return platform_.files->fileExists(path);
    }
    bool folderExists(const std::u16string& path) override {
        return platform_.files->folderExists(path);
    }
    std::u16string deliver(std::int32_t exercise) override { return delivery_->deliver(exercise); }
    void wait(std::int32_t milliseconds) override { platform_.sleeper->sleep(milliseconds); }
    DispatchPtr createObject(const std::u16string& progId) override {
        return platform_.runtime->createObject(progId);
    }
    std::string showWord(WordView view) override {
        const auto word = world_->runningWordModel();
        return view == WordView::Documents ? documentsView(word.get())
                                           : activeDocumentView(word.get());
    }

    std::shared_ptr<sim::SimWorld> world_;
    Platform platform_;
    DispatchPtr module_;
    DispatchPtr desktop_;
    std::shared_ptr<Delivery> delivery_;
};

}  // namespace

std::filesystem::path defaultCourseFolder() {
    return K72645_COURSE_DIR;
}

WorldFactory simulatedWorldFactory(std::filesystem::path courseFolder) {
    // One temporary root for the whole run; it goes when the last world and the factory do.
    auto delivery = std::make_shared<Delivery>(std::move(courseFolder));
    return [delivery]() -> std::unique_ptr<ScenarioWorld> {
        return std::make_unique<SimulatedWorld>(delivery);
    };
}

}  // namespace k72645::player
