// What must hold after every step of a simulation, whatever faults were injected:
//   - no file outside the working and template folders changed (the user's folder, the
//     player's current folder and a folder beside the working folders are watched, each
//     holding files named as the course's working files);
//   - every call of the player completes or raises a located error, with no crash and no
//     garbage source;
//   - a check that raised never reads as a verdict: what the player reads afterwards is what
//     it read before the check;
//   - after Fermer (and Quitter) no working file is left, unless the call raised;
//   - after Quitter no Word the component started is left, unless the call raised;
//   - the learner's settings come back: after a closing that the Word of the exercise answered
//     without a fault, the user's folders and ScreenTips setting are the learner's again.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "file_snapshot.h"
#include "simulation_world.h"

namespace k72645::simulation {

struct Violation {
    std::string invariant;
    std::string detail;
};

// A folder of files named as the course's working files, beside the working folders; the
// runner also makes its "current" sub-folder the process's current folder, where a relative
// path would land.
class Decoys {
public:
    Decoys();
    ~Decoys();
    Decoys(const Decoys&) = delete;
    Decoys& operator=(const Decoys&) = delete;
    const std::filesystem::path& root() const { return root_; }
    // Puts the decoys back as they were made, and removes a template folder made at the root
    // since: each run starts from the same files.
    void refresh();
    // Places the same decoys in a folder of the simulated user's.
    static void placeIn(const std::filesystem::path& folder);
    // The template folder that an empty template path would give.
    static std::filesystem::path rootTemplateFolder();

private:
    std::filesystem::path root_;
    bool rootTemplateFolderExisted_ = false;
};

class Invariants {
public:
    // Refreshes the decoys: a run starts from the same files as every other.
    Invariants(SimulationWorld& world, Decoys& decoys);

    void before(const ScriptStep& step);
    std::optional<Violation> after(const ScriptStep& step, const StepOutcome& outcome);

    // How many times each invariant was checked.
    const std::map<std::string, std::int64_t>& checked() const { return checked_; }

private:
    struct VerdictReading {
        bool general = false;
        std::u16string cause;  // or the error number the read raised, as "raised N"
        std::int32_t complementCount = -1;
        // The same verdict for the player: the same flag and code, and while the flag is
        // false (the exercise's verdict is read) the same complement lines.
        bool operator==(const VerdictReading& other) const {
            return general == other.general && cause == other.cause &&
                   (general || complementCount == other.complementCount);
        }
    };
    struct HeldExercise {
        std::int32_t number;
        std::u16string folder;
    };

    FileSnapshot snapshot() const;
    VerdictReading readVerdict();
    std::optional<Violation> filesOutside();
    std::optional<Violation> locatedError(PlayerCall call, const StepOutcome& outcome);
    std::optional<Violation> workingFilesLeft(const std::vector<HeldExercise>& exercises,
                                              bool templatesToo);
    std::optional<Violation> settingsBack();
    void count(const std::string& invariant) { ++checked_[invariant]; }

    SimulationWorld& world_;
    std::filesystem::path userFolder_;
    std::filesystem::path templateFolder_;
    std::vector<std::filesystem::path> watched_;
    bool rootTemplateFolderExisted_ = false;
    sim::UserSettings learnerSettings_;
    FileSnapshot snapshotBefore_;
    VerdictReading verdictBefore_;
    const void* exerciseBefore_ = nullptr;
    std::vector<HeldExercise> held_;
    std::shared_ptr<const sim::WordInstance> wordOfExercise_;
    bool closingAnswered_ = false;
    std::map<std::string, std::int64_t> checked_;
};

}  // namespace k72645::simulation
