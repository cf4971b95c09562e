#include "invariants.h"

#include <cstdlib>
#include <fstream>
#include <regex>

#include "automation/text.h"
#include "automation/vb.h"
#include "exercises/exercise_catalog.h"

namespace k72645::simulation {

namespace {

constexpr char kFilesOutside[] = "no file outside the working and template folders changed";
constexpr char kLocated[] = "every call completes or raises a located error";
constexpr char kRaisedCheck[] = "a check that raised never reads as a verdict";
constexpr char kWorkingFiles[] = "after Fermer no working file is left";
constexpr char kWordLeft[] = "after Quitter no Word the component started is left";
constexpr char kSettings[] = "the learner's settings come back";
constexpr char kTemplateFolderName[] = "ORB Mod\xC3\xA8les";

std::filesystem::path nativeOf(const std::u16string& enginePath) {
    std::string path = toUtf8(enginePath);
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    return std::filesystem::path(path);
}

// The location message of the error service, read back: "DLL K72645 - CLASSE " class,
// line feed, carriage return, " - SERVICE " procedure, " - OBJET " and the source before.
// A source is well formed when it is such a message with a known class and procedure whose
// object is well formed in turn, or the bare source of Word or of the component.
bool wellFormedSource(std::u16string_view source, bool mustBeLocated) {
    static constexpr std::u16string_view kStart = u"DLL K72645 - CLASSE ";
    static constexpr std::u16string_view kService = u"\n\r - SERVICE ";
    static constexpr std::u16string_view kObject = u" - OBJET ";
    if (!source.starts_with(kStart)) {
        return !mustBeLocated && (source == u"Microsoft Word" || source == u"K72645");
    }
    source.remove_prefix(kStart.size());
    const auto service = source.find(kService);
    if (service == std::u16string_view::npos)
        return false;
    const std::u16string_view className = source.substr(0, service);
    source.remove_prefix(service + kService.size());
    const auto object = source.find(kObject);
    if (object == std::u16string_view::npos)
        return false;
    const std::u16string_view procedure = source.substr(0, object);
    source.remove_prefix(object + kObject.size());
    static const std::vector<std::u16string_view> kModuleProcedures = {
        u"InitQuestion",      u"Quitter",   u"GetApplication", u"OleAccessible", u"SaveParamUser",
        u"RestaureParamUser", u"ChangeDir", u"InitCommandBar", u"Nettoyage",     u"Renomme",
        u"TestePoint",        u"Fermer",    u"BravoNuance",    u"CauseErreur",   u"Complement"};
    bool known = false;
    if (className == u"Module") {
        for (auto name : kModuleProcedures)
            known = known || procedure == name;
    } else if (className.size() == 12 && className.starts_with(u"Question05")) {
        known = procedure == u"Prepare" || procedure == u"TestePoint";
    }
    return known && (source.empty() || wellFormedSource(source, false));
}

std::int32_t exerciseNumberOf(const ScriptStep& step) {
    static const std::regex number(R"(InitQuestion\s+(\d+))");
    for (const std::string& statement : step.statements) {
        std::smatch found;
        if (std::regex_search(statement, found, number))
            return std::stoi(found[1].str());
    }
    return 0;
}

void writeDecoy(const std::filesystem::path& file) {
    std::ofstream(file, std::ios::binary) << "a learner's own file, not the component's\n";
}

}  // namespace

Decoys::Decoys() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "k72645-decoys-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    root_ = pattern;
    std::error_code ec;
    rootTemplateFolderExisted_ = std::filesystem::exists(rootTemplateFolder(), ec);
    refresh();
}

Decoys::~Decoys() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
    if (!rootTemplateFolderExisted_)
        std::filesystem::remove_all(rootTemplateFolder(), ignored);
}

void Decoys::refresh() {
    std::error_code ignored;
    // The folders stay (one is the process's current folder); what is in them is made anew.
    for (const char* name : {"current", "beside"}) {
        const std::filesystem::path folder = root_ / name;
        std::filesystem::create_directories(folder);
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            std::filesystem::remove_all(entry.path(), ignored);
        placeIn(folder);
    }
    if (!rootTemplateFolderExisted_)
        std::filesystem::remove_all(rootTemplateFolder(), ignored);
}

std::filesystem::path Decoys::rootTemplateFolder() {
    return std::filesystem::path("/") / kTemplateFolderName;
}

void Decoys::placeIn(const std::filesystem::path& folder) {
    for (const ExerciseDeclaration* exercise : exerciseCatalog()) {
        for (const WorkingFileDeclaration& file : exercise->workingFiles)
            writeDecoy(folder / nativeOf(file.dest));
    }
}

Invariants::Invariants(SimulationWorld& world, Decoys& decoys)
    : world_(world),
      userFolder_(nativeOf(world.world().userFolder())),
      templateFolder_(nativeOf(world.world().userSettings().templatesPath) / kTemplateFolderName),
      watched_{userFolder_, decoys.root()},
      learnerSettings_(world.world().userSettings()) {
    decoys.refresh();
    Decoys::placeIn(nativeOf(world.world().userSettings().templatesPath));
    Decoys::placeIn(nativeOf(world.world().userSettings().documentsPath));
    std::error_code ec;
    rootTemplateFolderExisted_ = std::filesystem::exists(Decoys::rootTemplateFolder(), ec);
}

FileSnapshot Invariants::snapshot() const {
    return snapshotOf(watched_, {templateFolder_});
}

Invariants::VerdictReading Invariants::readVerdict() {
    const sim::FaultInjector::Pause pause(world_.faults());
    VerdictReading reading;
    Module& module = world_.module();
    reading.general = module.ErreurGenerale();
    try {
        reading.cause = module.CauseErreur();
    } catch (const ComError& e) {
        reading.cause = u"raised " + fromUtf8(std::to_string(e.number()));
    }
    try {
        const DispatchPtr complement = module.Complement();
        reading.complementCount = complement ? vb::cLng(call(complement, u"count")) : -1;
    } catch (const ComError&) {
        reading.complementCount = -2;
    }
    return reading;
}

void Invariants::before(const ScriptStep& step) {
    const PlayerCall call = playerCallOf(step);
    if (call == PlayerCall::None)
        return;
    snapshotBefore_ = snapshot();
    if (call == PlayerCall::TestePoint)
        verdictBefore_ = readVerdict();
    exerciseBefore_ = world_.module().currentExercise().get();
    closingAnswered_ =
        wordOfExercise_ && !held_.empty() && world_.world().runningWordModel() == wordOfExercise_;
}

std::optional<Violation> Invariants::after(const ScriptStep& step, const StepOutcome& outcome) {
    if (!outcome.runFailure.empty())
        return Violation{"the run itself", outcome.runFailure};
    const PlayerCall call = playerCallOf(step);
    if (call == PlayerCall::None)
        return std::nullopt;
    const bool raised = outcome.errNumber != 0;

    if (auto violation = filesOutside())
        return violation;
    if (auto violation = locatedError(call, outcome))
        return violation;

    if (call == PlayerCall::TestePoint && raised) {
        count(kRaisedCheck);
        const VerdictReading now = readVerdict();
        if (!(now == verdictBefore_)) {
            auto describe = [](const VerdictReading& r) {
                return std::string("ErreurGenerale ") + (r.general ? "True" : "False") +
                       ", CauseErreur \"" + toUtf8(r.cause) + "\", Complement.count " +
                       std::to_string(r.complementCount);
            };
            return Violation{kRaisedCheck, "the check raised " + std::to_string(outcome.errNumber) +
                                               "; before: " + describe(verdictBefore_) +
                                               "; after: " + describe(now)};
        }
    }

    if (call == PlayerCall::InitQuestion) {
        const void* exercise = world_.module().currentExercise().get();
        if (exercise && exercise != exerciseBefore_) {
            held_.push_back({exerciseNumberOf(step), world_.variableText(u"folder")});
            wordOfExercise_ = world_.world().runningWordModel();
        }
        if (!raised && held_.size() > 1) {
            const std::vector<HeldExercise> closed(held_.begin(), held_.end() - 1);
            held_.erase(held_.begin(), held_.end() - 1);
            if (auto violation = workingFilesLeft(closed, false))
                return violation;
        }
    }

    if ((call == PlayerCall::Fermer || call == PlayerCall::Quitter) && !raised) {
        const bool closedAnExercise = !held_.empty();
        const std::vector<HeldExercise> closed = std::move(held_);
        held_.clear();
        if (auto violation = workingFilesLeft(closed, true))
            return violation;
        if (closedAnExercise && closingAnswered_ && world_.faults().sinceMark().empty()) {
            if (auto violation = settingsBack())
                return violation;
        }
        wordOfExercise_ = nullptr;
    }

    if (call == PlayerCall::Quitter && !raised) {
        count(kWordLeft);
        if (world_.world().wordCount() != 0)
            return Violation{kWordLeft, std::to_string(world_.world().wordCount()) +
                                            " Word still running after Quitter returned"};
    }
    return std::nullopt;
}

std::optional<Violation> Invariants::filesOutside() {
    count(kFilesOutside);
    const auto changed = differences(snapshotBefore_, snapshot());
    if (!changed.empty()) {
        std::string detail;
        for (const auto& change : changed)
            detail += (detail.empty() ? "" : "; ") + change;
        return Violation{kFilesOutside, detail};
    }
    std::error_code ec;
    const auto rootFolder = Decoys::rootTemplateFolder();
    if (!rootTemplateFolderExisted_ && std::filesystem::exists(rootFolder, ec))
        return Violation{kFilesOutside, "added " + rootFolder.string()};
    return std::nullopt;
}

std::optional<Violation> Invariants::locatedError(PlayerCall call, const StepOutcome& outcome) {
    count(kLocated);
    if (outcome.errNumber == 0)
        return std::nullopt;
    // InitQuestion and Quitter report every failure; the others may let an error of Word or
    // of the component's dispatch pass unchanged.
    const bool mustBeLocated = call == PlayerCall::InitQuestion || call == PlayerCall::Quitter;
    if (wellFormedSource(outcome.errSource, mustBeLocated))
        return std::nullopt;
    std::string source = toUtf8(outcome.errSource);
    for (char& c : source) {
        if (c == '\n' || c == '\r')
            c = '|';
    }
    return Violation{kLocated, std::string(playerCallName(call)) + " raised " +
                                   std::to_string(outcome.errNumber) + " with source \"" + source +
                                   "\" (" + toUtf8(outcome.errDescription) + ")"};
}

std::optional<Violation> Invariants::workingFilesLeft(const std::vector<HeldExercise>& exercises,
                                                      bool templatesToo) {
    count(kWorkingFiles);
    for (const HeldExercise& held : exercises) {
        const ExerciseDeclaration* exercise = findExercise(held.number);
        if (!exercise)
            continue;
        for (const WorkingFileDeclaration& file : exercise->workingFiles) {
            if (file.isTemplate && !templatesToo)
                continue;
            const std::filesystem::path path =
                (file.isTemplate ? templateFolder_ : nativeOf(held.folder)) / nativeOf(file.dest);
            std::error_code ec;
            if (std::filesystem::exists(path, ec)) {
                return Violation{kWorkingFiles, "exercise " + std::to_string(held.number) + ": " +
                                                    path.string() + " is left"};
            }
        }
    }
    return std::nullopt;
}

std::optional<Violation> Invariants::settingsBack() {
    count(kSettings);
    const sim::UserSettings& now = world_.world().userSettings();
    std::string detail;
    auto compare = [&](const char* name, const std::u16string& was, const std::u16string& is) {
        if (was != is)
            detail += std::string(detail.empty() ? "" : "; ") + name + " was \"" + toUtf8(was) +
                      "\", is \"" + toUtf8(is) + "\"";
    };
    compare("documents folder", learnerSettings_.documentsPath, now.documentsPath);
    compare("user templates folder", learnerSettings_.templatesPath, now.templatesPath);
    if (learnerSettings_.displayTooltips != now.displayTooltips)
        detail += std::string(detail.empty() ? "" : "; ") + "ScreenTips changed";
    if (!detail.empty())
        return Violation{kSettings, detail};
    return std::nullopt;
}

}  // namespace k72645::simulation
