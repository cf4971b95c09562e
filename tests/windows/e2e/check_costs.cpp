#include "tests/windows/e2e/check_costs.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <vector>

#include "automation/text.h"
#include "automation/vb.h"
#include "platform/win32/foreign_dispatch.h"
#include "tests/windows/e2e/call_timer.h"

namespace k72645::e2e {

namespace {
// The pause an exercise's check must make before it reads Word, which no Word call accounts
// for: 504 waits a second for Word to finish writing the files the learner saved.
double requiredPauseSeconds(std::int32_t exercise) {
    return exercise == 504 ? 1.0 : 0.0;
}

// The round trips' kinds as the bench file's columns give them.
const char* const kRoundTripKinds[] = {"Invoke",           "GetIDsOfNames", "GetTypeInfo",
                                       "GetTypeInfoCount", "ITypeInfo",     "RemQueryInterface",
                                       "RemAddRef",        "RemRelease",    "other"};
}  // namespace

sim::win32host::CallCounts readCounts(const DispatchPtr& control, bool withMembers) {
    sim::win32host::CallCounts counts;
    counts.componentInvokes = get(control, u"ComponentInvokes").long32();
    counts.componentNameLookups = get(control, u"ComponentNameLookups").long32();
    counts.playerInvokes = get(control, u"PlayerInvokes").long32();
    counts.playerNameLookups = get(control, u"PlayerNameLookups").long32();
    counts.componentInvokeSeconds = get(control, u"ComponentInvokeSeconds").dbl();
    counts.componentObjects = get(control, u"ComponentObjects").long32();
    std::istringstream kinds(toUtf8(get(control, u"RoundTrips").string()));
    std::string kind;
    long times = 0;
    while (std::getline(kinds, kind, '\t') && kinds >> times && kinds.ignore())
        counts.roundTrips[kind] += times;
    if (withMembers) {
        std::istringstream lines(toUtf8(get(control, u"ComponentLookupsByMember").string()));
        std::string type, member;
        long count = 0;
        while (std::getline(lines, type, '\t') && std::getline(lines, member, '\t') &&
               lines >> count && lines.ignore())
            counts.componentLookupsByMember[{type, fromUtf8(member)}] += count;
    }
    return counts;
}

BareCalls::BareCalls(const DispatchPtr& sim) {
    const auto* wrapper = dynamic_cast<const win32::ForeignDispatch*>(sim.get());
    if (!wrapper)
        return;
    sim_ = wrapper->com();
    id_ = idOf(sim_, L"WordCount");
    if (id_ == DISPID_UNKNOWN)
        sim_ = nullptr;
}

DISPID idOf(IDispatch* object, const wchar_t* member) {
    LPOLESTR name = const_cast<LPOLESTR>(member);
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(object->GetIDsOfNames(IID_NULL, &name, 1, sim::win32host::kPlayerLocale, &id)))
        return DISPID_UNKNOWN;
    return id;
}

double timeBareReads(IDispatch* object, DISPID property, int count) {
    DISPPARAMS none{};
    const auto started = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        VARIANT value;
        VariantInit(&value);
        object->Invoke(property, IID_NULL, sim::win32host::kPlayerLocale, DISPATCH_PROPERTYGET,
                       &none, &value, nullptr, nullptr);
        VariantClear(&value);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

namespace {
// The raw IDispatch an object's member returns, or null.
IDispatch* objectOf(IDispatch* object, const wchar_t* member, WORD kind) {
    DISPPARAMS none{};
    VARIANT value;
    VariantInit(&value);
    if (FAILED(object->Invoke(idOf(object, member), IID_NULL, sim::win32host::kPlayerLocale, kind,
                              &none, &value, nullptr, nullptr)) ||
        value.vt != VT_DISPATCH) {
        VariantClear(&value);
        return nullptr;
    }
    return value.pdispVal;
}

ObjectCost timeObjectRounds(IDispatch* document, DISPID content, int batches, int batchSize) {
    using Clock = std::chrono::steady_clock;
    using Seconds = std::chrono::duration<double>;
    DISPPARAMS none{};
    ObjectCost cost;
    std::vector<IDispatch*> fetched;
    for (int batch = 0; batch < batches; ++batch) {
        fetched.clear();
        const CallTime beforeFetch = CallTimer::total();
        const auto started = Clock::now();
        for (int i = 0; i < batchSize; ++i) {
            VARIANT value;
            VariantInit(&value);
            if (SUCCEEDED(document->Invoke(content, IID_NULL, sim::win32host::kPlayerLocale,
                                           DISPATCH_PROPERTYGET, &none, &value, nullptr,
                                           nullptr)) &&
                value.vt == VT_DISPATCH && value.pdispVal)
                fetched.push_back(value.pdispVal);
            else
                VariantClear(&value);
        }
        const auto fetchedAt = Clock::now();
        const CallTime afterFetch = CallTimer::total();
        for (IDispatch* object : fetched)
            object->Release();
        const auto releasedAt = Clock::now();
        const CallTime afterRelease = CallTimer::total();
        cost.fetchSeconds += Seconds(fetchedAt - started).count();
        cost.fetchWaiting += afterFetch.seconds - beforeFetch.seconds;
        cost.releaseSeconds += Seconds(releasedAt - fetchedAt).count();
        cost.releaseWaiting += afterRelease.seconds - afterFetch.seconds;
    }
    const double objects = batches * batchSize > 0 ? batches * batchSize : 1;
    cost.fetchSeconds /= objects;
    cost.fetchWaiting /= objects;
    cost.releaseSeconds /= objects;
    cost.releaseWaiting /= objects;
    return cost;
}
}  // namespace

ObjectCost timeNewObjects(IDispatch* word) {
    // About the distinct objects of a check (18 to 64 in the course's groups).
    constexpr int kBatches = 12;
    constexpr int kBatchSize = 25;
    IDispatch* documents = objectOf(word, L"Documents", DISPATCH_PROPERTYGET);
    IDispatch* document = documents ? objectOf(documents, L"Add", DISPATCH_METHOD) : nullptr;
    ObjectCost cost;
    if (document) {
        cost = timeObjectRounds(document, idOf(document, L"Content"), kBatches, kBatchSize);
        document->Release();
    }
    if (documents)
        documents->Release();
    return cost;
}

void GroupCost::addCallCounts(const sim::win32host::CallCounts& counts) {
    componentInvokes += counts.componentInvokes;
    componentLookups += counts.componentNameLookups;
    playerInvokes += counts.playerInvokes;
    playerLookups += counts.playerNameLookups;
}

GroupCost& GroupCost::operator+=(const GroupCost& other) {
    scenarios += other.scenarios;
    componentInvokes += other.componentInvokes;
    componentLookups += other.componentLookups;
    playerInvokes += other.playerInvokes;
    playerLookups += other.playerLookups;
    seconds += other.seconds;
    checks += other.checks;
    checkCalls += other.checkCalls;
    checkSeconds += other.checkSeconds;
    checkSecondsInWord += other.checkSecondsInWord;
    checkPauseSeconds += other.checkPauseSeconds;
    checkObjects += other.checkObjects;
    for (const auto& [kind, times] : other.checkRoundTrips)
        checkRoundTrips[kind] += times;
    checkCallsSent += other.checkCallsSent;
    checkSecondsWaiting += other.checkSecondsWaiting;
    bareCalls += other.bareCalls;
    bareSeconds += other.bareSeconds;
    return *this;
}

void BareCalls::measure(GroupCost& cost, int count) const {
    if (!sim_)
        return;
    cost.bareSeconds += timeBareReads(sim_, id_, count);
    cost.bareCalls += count;
}

Variant TimedModule::invoke(std::u16string_view member, InvokeKind kind, Arguments& args) {
    if (lcase(member) == u"initquestion" && !args.empty() && args[0].value.isNumeric())
        exercise_ = vb::cLng(args[0].value);
    if (lcase(member) != u"testepoint")
        return module_->invoke(member, kind, args);
    const sim::win32host::CallCounts before = readCounts(control_, false);
    const CallTime sentBefore = CallTimer::total();
    const auto started = std::chrono::steady_clock::now();
    Variant result = module_->invoke(member, kind, args);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const CallTime sentAfter = CallTimer::total();
    const sim::win32host::CallCounts after = readCounts(control_, false);
    GroupCost& cost = *group_;
    ++cost.checks;
    cost.checkSeconds += seconds;
    cost.checkSecondsInWord += after.componentInvokeSeconds - before.componentInvokeSeconds;
    cost.checkCalls += after.componentInvokes - before.componentInvokes +
                       after.componentNameLookups - before.componentNameLookups;
    cost.checkPauseSeconds += requiredPauseSeconds(exercise_);
    cost.checkObjects += after.componentObjects - before.componentObjects;
    cost.checkCallsSent += sentAfter.calls - sentBefore.calls;
    cost.checkSecondsWaiting += sentAfter.seconds - sentBefore.seconds;
    for (const auto& [kind, times] : after.roundTrips) {
        const auto earlier = before.roundTrips.find(kind);
        cost.checkRoundTrips[kind] +=
            times - (earlier == before.roundTrips.end() ? 0 : earlier->second);
    }
    constexpr int kBareReadsPerCheck = 25;
    bare_.measure(cost, kBareReadsPerCheck);
    return result;
}

void writeBench(std::ostream& out, const std::map<std::string, GroupCost>& costs,
                const BareCosts& bareCosts) {
    const double bare = bareCosts.call;
    out << "group      scenarios  component-Invoke  component-GetIDsOfNames  player-Invoke  "
           "player-GetIDsOfNames  seconds  checks  ms-per-check  calls-per-check  "
           "us-per-Word-call  us-in-Word-per-call  ratio\n";
    GroupCost total;
    char line[300];
    const auto row = [&line, bare](const std::string& name, const GroupCost& cost) {
        const double perCall = cost.checkCalls ? cost.checkSeconds / cost.checkCalls * 1e6 : 0;
        const double inWord = cost.checkCalls ? cost.checkSecondsInWord / cost.checkCalls * 1e6 : 0;
        std::snprintf(line, sizeof line,
                      "%-10s %9d %17ld %24ld %14ld %21ld %8.2f %7d %13.2f %16.1f "
                      "%17.1f %20.1f %6.2f\n",
                      name.c_str(), cost.scenarios, cost.componentInvokes, cost.componentLookups,
                      cost.playerInvokes, cost.playerLookups, cost.seconds, cost.checks,
                      cost.checks ? cost.checkSeconds / cost.checks * 1e3 : 0,
                      cost.checks ? static_cast<double>(cost.checkCalls) / cost.checks : 0, perCall,
                      inWord, bare > 0 ? perCall / (bare * 1e6) : 0);
        return line;
    };
    for (const auto& [group, cost] : costs) {
        out << row(group, cost);
        total += cost;
    }
    out << row("all", total);
    const double perCall = total.checkCalls ? total.checkSeconds / total.checkCalls : 0;
    std::snprintf(line, sizeof line,
                  "bare cross-process call (Visible read): %.1f us\n"
                  "component's time per Word call during checks: %.1f us\n"
                  "ratio: %.2f\n",
                  bare * 1e6, perCall * 1e6, bare > 0 ? perCall / bare : 0);
    out << line;
    const ObjectCost& object = bareCosts.object;
    std::snprintf(line, sizeof line,
                  "a new object: fetch %.1f us (waiting %.1f), release %.1f us (waiting %.1f), "
                  "own work %.1f us\n",
                  object.fetchSeconds * 1e6, object.fetchWaiting * 1e6, object.releaseSeconds * 1e6,
                  object.releaseWaiting * 1e6, object.ownSeconds() * 1e6);
    out << line;

    // What a check costs in round trips to Word's process: every call that reached Word's
    // thread during the component's checks, by kind, per check; the objects Word handed to
    // the component; the round trips per Word call (Invoke and GetIDsOfNames); the bare call
    // measured beside the group's checks; the ratio to it with the pauses the exercises
    // require left out (goal: at most 1.5); then the check's time split into the time the
    // player's process waited for answers from other processes and the rest, its own, with
    // the wait per round trip and the own time per object proxy given back (one release each).
    out << "\nround trips per check, by kind\ngroup      checks";
    for (const char* kind : kRoundTripKinds)
        out << ' '
            << std::string(std::max<std::size_t>(std::strlen(kind), 6) - std::strlen(kind), ' ')
            << kind;
    out << "   all  objects  trips-per-call  pause-ms-per-check  bare-us  "
           "ratio-without-pauses  ms-waiting  ms-own  us-per-trip  own-us-per-object\n";
    const auto trips = [](const std::string& name, const GroupCost& cost) {
        std::ostringstream text;
        const double checks = cost.checks ? cost.checks : 1;
        char number[160];
        std::snprintf(number, sizeof number, "%-10s %6d", name.c_str(), cost.checks);
        text << number;
        long all = 0;
        for (const auto& [kind, times] : cost.checkRoundTrips)
            all += times;
        for (const char* kind : kRoundTripKinds) {
            const auto found = cost.checkRoundTrips.find(kind);
            const long times = found == cost.checkRoundTrips.end() ? 0 : found->second;
            std::snprintf(number, sizeof number, " %*.1f",
                          static_cast<int>(std::max<std::size_t>(std::strlen(kind), 6)),
                          times / checks);
            text << number;
        }
        const double perCall =
            cost.checkCalls ? (cost.checkSeconds - cost.checkPauseSeconds) / cost.checkCalls : 0;
        const double bare = cost.bareCalls ? cost.bareSeconds / cost.bareCalls : 0;
        const double ownSeconds =
            cost.checkSeconds - cost.checkPauseSeconds - cost.checkSecondsWaiting;
        const auto released = cost.checkRoundTrips.find("RemRelease");
        const long proxies = released == cost.checkRoundTrips.end() ? 0 : released->second;
        std::snprintf(
            number, sizeof number,
            " %5.1f %8.1f %15.2f %19.0f %8.1f %21.2f %11.2f %7.2f %12.1f %18.1f\n", all / checks,
            cost.checkObjects / checks,
            cost.checkCalls ? static_cast<double>(all) / cost.checkCalls : 0,
            cost.checkPauseSeconds / checks * 1e3, bare * 1e6, bare > 0 ? perCall / bare : 0,
            cost.checkSecondsWaiting / checks * 1e3, ownSeconds / checks * 1e3,
            cost.checkCallsSent ? cost.checkSecondsWaiting / cost.checkCallsSent * 1e6 : 0,
            proxies ? ownSeconds / proxies * 1e6 : 0);
        text << number;
        return text.str();
    };
    for (const auto& [group, cost] : costs)
        out << trips(group, cost);
    out << trips("all", total);
}

}  // namespace k72645::e2e
