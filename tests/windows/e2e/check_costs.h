// What the end-to-end run measures of the component's checks against Word's server: the calls
// the server counted (read through the world's control), their cost per group of scenarios, the
// Module timed at each check, and the bench file that reports them against a bare call.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <map>
#include <ostream>
#include <string>
#include <utility>

#include "automation/dispatch.h"
#include "sim/win32host/hosted_dispatch.h"

namespace k72645::e2e {

// The calls Word's server counted, read through a world's control; the calls by member only
// when asked (a longer answer).
sim::win32host::CallCounts readCounts(const DispatchPtr& control, bool withMembers);

// What the run measured: per group of scenarios, the calls to Word and the time of the checks.
struct GroupCost {
    int scenarios = 0;
    long componentInvokes = 0;
    long componentLookups = 0;
    long playerInvokes = 0;
    long playerLookups = 0;
    double seconds = 0;
    int checks = 0;
    long checkCalls = 0;  // the component's Invoke and GetIDsOfNames during its checks
    double checkSeconds = 0;
    double checkSecondsInWord = 0;  // of which Word spent inside the component's calls
    double checkPauseSeconds = 0;   // of which the pauses the exercises require
    long checkObjects = 0;          // Word's objects handed to the component during its checks
    sim::win32host::RoundTrips checkRoundTrips;  // every round trip to Word during the checks
    // What the player's process saw of them: the calls it sent out during the checks and the
    // time it waited for their answers; the rest of a check's time is the component's own.
    long checkCallsSent = 0;
    double checkSecondsWaiting = 0;
    // Bare calls to the same server made right after each check (BareCalls), so that the
    // group's ratio compares with a bare call under the machine's load of the moment.
    int bareCalls = 0;
    double bareSeconds = 0;

    // Adds what a scenario's Word server counted over its whole run.
    void addCallCounts(const sim::win32host::CallCounts& counts);
    // Adds another group's costs (the total of all groups).
    GroupCost& operator+=(const GroupCost& other);
};

// The identifier of an object's member, resolved by its raw IDispatch (DISPID_UNKNOWN when
// the object does not know the name).
DISPID idOf(IDispatch* object, const wchar_t* member);

// The seconds that `count` reads of a property take, each a bare call through the raw
// IDispatch with the identifier given.
double timeBareReads(IDispatch* object, DISPID property, int count);

// What a new object of Word costs the player's process, per object: its fetch (a read that
// returns a new object, here a document's Content) and the release of its proxy, each split
// into the time waiting for Word's process and the process's own work around it. The objects
// are fetched and given back in batches of a check's size: COM's work for each grows with the
// number of proxies alive.
struct ObjectCost {
    double fetchSeconds = 0;
    double fetchWaiting = 0;
    double releaseSeconds = 0;
    double releaseWaiting = 0;
    double ownSeconds() const {
        return fetchSeconds - fetchWaiting + releaseSeconds - releaseWaiting;
    }
};
// Timed on a new document of the Word given: each read of its Content gives a new Range.
ObjectCost timeNewObjects(IDispatch* word);

// The bare costs a run measures once, on a Word server of their own.
struct BareCosts {
    double call = 0;  // a bare read
    ObjectCost object;
};

// A bare cross-process call to a world's server: a read of Sim's WordCount through the raw
// IDispatch, its identifier resolved once, served by the thread that serves Word's objects.
class BareCalls {
public:
    explicit BareCalls(const DispatchPtr& sim);
    // Times `count` reads and adds them to the group's bare calls.
    void measure(GroupCost& cost, int count) const;

private:
    IDispatch* sim_ = nullptr;  // held by the Sim object's wrapper
    DISPID id_ = DISPID_UNKNOWN;
};

// The Module as the player holds it, timing each check and counting the calls to Word it makes.
class TimedModule : public Dispatch {
public:
    TimedModule(DispatchPtr module, DispatchPtr control, BareCalls bare, GroupCost*& group)
        : module_(std::move(module)), control_(std::move(control)), bare_(bare), group_(group) {}
    Variant invoke(std::u16string_view member, InvokeKind kind, Arguments& args) override;
    const void* identity() const override { return module_->identity(); }

private:
    DispatchPtr module_;
    std::int32_t exercise_ = 0;  // as InitQuestion last named it
    DispatchPtr control_;
    BareCalls bare_;
    GroupCost*& group_;  // the group of the scenario playing
};

// Writes the costs per group and in all, the bare call's time (seconds) and the ratio of the
// component's time per Word call during checks to it; then, per group, the round trips of a
// check by kind, the objects it fetched, the bare calls made beside its checks, the ratio
// to them with the required pauses left out, and the check's time waiting on other processes
// and its own.
void writeBench(std::ostream& out, const std::map<std::string, GroupCost>& costs,
                const BareCosts& bare);

}  // namespace k72645::e2e
