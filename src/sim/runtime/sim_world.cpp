#include "sim/runtime/sim_world.h"

#include <cstdlib>
#include <filesystem>

#include "automation/text.h"
#ifndef _WIN32
#include "platform/posix/posix_file_system.h"
#endif
#include "platform/thread_sleeper.h"
#include "sim/faults/faulty_file_system.h"
#include "sim/runtime/sim_root_object.h"
#include "sim/runtime/sim_runtime.h"
#include "sim/runtime/word_global_object.h"
#include "sim/word/document_file.h"
#include "sim/word/word_automation.h"
#include "sim/word/word_errors.h"
#include "sim/word/word_paths.h"

namespace k72645::sim {

#ifndef _WIN32
std::shared_ptr<SimWorld> SimWorld::create(std::optional<std::u16string> userFolder) {
    std::shared_ptr<SimWorld> world(new SimWorld());
    world->injectFaultsInto(std::make_shared<PosixFileSystem>());
    world->desktop_ = std::make_shared<SimDesktop>();
    world->windows_ = world->desktop_;
    world->desktopPort_ = world->desktop_;
    world->prepareUserFolder(std::move(userFolder));
    return world;
}
#endif

std::shared_ptr<SimWorld> SimWorld::create(SimWorldPorts ports, const std::u16string& userFolder) {
    std::shared_ptr<SimWorld> world(new SimWorld());
    world->injectFaultsInto(std::move(ports.files));
    world->windows_ = std::move(ports.windows);
    world->desktopPort_ = std::move(ports.desktop);
    world->prepareUserFolder(userFolder);
    return world;
}

void SimWorld::injectFaultsInto(std::shared_ptr<FileSystem> files) {
    faults_ = std::make_shared<FaultInjector>();
    files_ = std::make_shared<FaultyFileSystem>(std::move(files), faults_);
}

void SimWorld::prepareUserFolder(std::optional<std::u16string> userFolder) {
#ifdef _WIN32
    if (!userFolder)
        throw errors::runtime(errors::kPathFileAccessError, u"Microsoft Word");
#else
    if (!userFolder) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "k72645-user-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw errors::runtime(errors::kPathFileAccessError, u"Microsoft Word");
        createdFolder_ = pattern;
        userFolder = fromUtf8(pattern);
    }
#endif
    settings_ = std::make_shared<UserSettings>(UserSettings::defaultsFor(*userFolder));
    files_->makeSureDirectoryPathExists(joinPath(settings_->documentsPath, u""));
    files_->makeSureDirectoryPathExists(joinPath(settings_->templatesPath, u""));
    const std::u16string normal = settings_->normalTemplatePath();
    if (!files_->fileExists(normal)) {
        DocumentFile empty;
        empty.kind = DocumentFile::Kind::Template;
        files_->writeFile(normal, serializeDocumentFile(empty));
    }
}

SimWorld::~SimWorld() {
    quitAll();
    if (!createdFolder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(createdFolder_, ignored);
    }
}

Platform SimWorld::platform() {
    auto self = shared_from_this();
    Platform platform;
    // Aliasing pointers: each port shares the ownership of the whole world.
    platform.files = std::shared_ptr<FileSystem>(self, files_.get());
    platform.desktop = std::shared_ptr<Desktop>(self, desktopPort_.get());
    platform.runtime = std::make_shared<SimRuntime>(self);
    platform.sleeper = std::make_shared<ThreadSleeper>();
    return platform;
}

DispatchPtr SimWorld::startWord() {
    if (!wordInstalled_)
        throw errors::runtime(errors::kCannotCreateObject);
    WordEnvironment environment;
    environment.files = files_;
    environment.windows = windows_;
    environment.settings = settings_;
    environment.edition = edition_;
    environment.clock = clock_;
    environment.faults = faults_;
    auto word = WordInstance::start(std::move(environment));
    words_.push_back(word);
    return makeApplication(word);
}

DispatchPtr SimWorld::runningWord() {
    std::erase_if(words_, [](const auto& word) { return !word->running(); });
    return words_.empty() ? nullptr : makeApplication(words_.back());
}

std::shared_ptr<const WordInstance> SimWorld::runningWordModel() {
    std::erase_if(words_, [](const auto& word) { return !word->running(); });
    return words_.empty() ? nullptr : words_.back();
}

DispatchPtr SimWorld::wordGlobal() {
    return std::make_shared<WordGlobalObject>(weak_from_this());
}

DispatchPtr SimWorld::simRoot() {
    return std::make_shared<SimRootObject>(weak_from_this());
}

void SimWorld::quitAll() {
    for (auto& word : words_) {
        if (word->running())
            word->quit(SaveChoice::DoNotSave);
    }
    words_.clear();
}

bool SimWorld::killRunningWord() {
    std::erase_if(words_, [](const auto& word) { return !word->running(); });
    if (words_.empty())
        return false;
    words_.back()->kill();
    words_.pop_back();
    ++killedWords_;
    return true;
}

void SimWorld::setHideExtensions(bool hide) {
    settings_->hideExtensions = hide;
    for (auto& word : words_)
        word->refreshMainWindow();
}

bool SimWorld::answerTemplatePrompt(bool save) {
    for (auto& word : words_) {
        if (word->running() && word->answerTemplatePrompt(save))
            return true;
    }
    return false;
}

int SimWorld::wordCount() const {
    int count = 0;
    for (const auto& word : words_)
        count += word->running() ? 1 : 0;
    return count;
}

std::u16string SimWorld::edition() const {
    return edition_ == Edition::English ? u"en" : u"fr";
}

void SimWorld::setEdition(const std::u16string& edition) {
    if (equalsIgnoreCase(edition, u"fr")) {
        edition_ = Edition::French;
    } else if (equalsIgnoreCase(edition, u"en")) {
        edition_ = Edition::English;
    } else {
        throw errors::runtime(errors::kInvalidCall, u"K72645");
    }
}

}  // namespace k72645::sim
