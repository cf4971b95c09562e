// Faults injected into a simulated world, for simulation testing: a Word call that fails with
// one of Word's own errors, Word's process dying at a call, a dialog box opening over Word, a
// file operation that the file system refuses. Two channels are counted, the calls made to
// the objects of a simulated Word and the file operations that can fail; a fault fires at a
// counted call of its channel, before the call does anything.
//
// Faults come either from a seeded random draw at each counted call (the runner's mode), or
// armed at the n-th counted call of a channel from now (what a replayed scenario does). Every
// fault that fires is recorded with its place in the count since the last mark, so that a run
// replays exactly by arming the same faults at the same places.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace k72645::sim {

class WordInstance;

enum class FaultChannel { WordCall, FileOperation };

enum class FaultKind {
    WordError,       // the call raises Word's error `number`
    WordDies,        // Word's process ends before the call, which then raises 462
    Dialog,          // a dialog box opens over Word before the call
    BlockingDialog,  // the same, holding Word's calls until it is closed
    FileRefused,     // the file operation raises `number`
};

struct Fault {
    FaultKind kind = FaultKind::WordError;
    std::int32_t number = 0;  // WordError and FileRefused
};

// The kinds' names in the scenario language ("WordError", "WordDies", "Dialog",
// "BlockingDialog", "FileRefused"), and back (case ignored; nullopt for another name).
std::u16string faultKindName(FaultKind kind);
std::optional<FaultKind> faultKindNamed(std::u16string_view name);
FaultChannel channelOf(FaultKind kind);

// Word's own errors a call may fail with, and the file system's refusals.
inline constexpr std::int32_t kInjectedWordErrors[] = {462, -2147418111, 4198, 5174, 5941};
inline constexpr std::int32_t kInjectedFileErrors[] = {53, 70, 75, 61};

struct InjectedFault {
    FaultChannel channel;
    std::int64_t place;  // the counted call of its channel since the last mark, from 1
    Fault fault;
    std::u16string at;  // the member or file operation it fired at
};

class FaultInjector {
public:
    // Random faults: each counted Word call fails with probability `wordCallRate`, each file
    // operation with `fileRate`; the draws follow `seed`. A rate of 0 turns a channel off.
    void startRandom(std::uint64_t seed, double wordCallRate, double fileRate);
    void stopRandom() { random_ = false; }
    // The `place`-th counted call of the fault's channel from now (1: the next one) fails.
    void arm(std::int64_t place, Fault fault);
    // Drops the armed faults that have not fired.
    void clearArmed();

    // Starts counting the places of both channels again; `sinceMark` lists the faults fired
    // from then on.
    void mark();
    const std::vector<InjectedFault>& sinceMark() const { return sinceMark_; }

    // While held, nothing is counted and nothing fires (an observer reading the world).
    class Pause {
    public:
        explicit Pause(FaultInjector& injector) : injector_(injector) { ++injector_.paused_; }
        ~Pause() { --injector_.paused_; }
        Pause(const Pause&) = delete;
        Pause& operator=(const Pause&) = delete;

    private:
        FaultInjector& injector_;
    };

    // The hooks: every call of a simulated Word's objects, and every file operation that can
    // fail, pass here first. A fault fires by raising, killing Word or opening a dialog.
    void beforeWordCall(WordInstance& word, std::u16string_view member);
    void beforeFileOperation(std::u16string_view operation);

    // What was counted and injected since the injector was made.
    std::int64_t wordCalls() const { return wordPlace_; }
    std::int64_t fileOperations() const { return filePlace_; }
    std::int64_t injected() const { return injected_; }
    // "WordError 462", "WordDies", "FileRefused 61"... and how many fired.
    const std::map<std::string, std::int64_t>& injectedByKind() const { return byKind_; }

private:
    std::optional<Fault> due(FaultChannel channel, std::int64_t place);
    void record(FaultChannel channel, std::int64_t place, const Fault& fault,
                std::u16string_view at);

    struct Armed {
        std::int64_t place;
        Fault fault;
    };
    bool random_ = false;
    double wordCallRate_ = 0;
    double fileRate_ = 0;
    std::mt19937_64 draws_;
    std::vector<Armed> armedWord_;
    std::vector<Armed> armedFile_;
    // Counted calls of each channel, and their values at the last mark.
    std::int64_t wordPlace_ = 0;
    std::int64_t filePlace_ = 0;
    std::int64_t wordMark_ = 0;
    std::int64_t fileMark_ = 0;
    std::vector<InjectedFault> sinceMark_;
    int paused_ = 0;
    std::int64_t injected_ = 0;
    std::map<std::string, std::int64_t> byKind_;
};

}  // namespace k72645::sim
