#include "tests/windows/e2e/check_costs.h"

#include <chrono>
#include <cstdio>
#include <sstream>

#include "automation/text.h"

namespace k72645::e2e {

sim::win32host::CallCounts readCounts(const DispatchPtr& control, bool withMembers) {
    sim::win32host::CallCounts counts;
    counts.componentInvokes = get(control, u"ComponentInvokes").long32();
    counts.componentNameLookups = get(control, u"ComponentNameLookups").long32();
    counts.playerInvokes = get(control, u"PlayerInvokes").long32();
    counts.playerNameLookups = get(control, u"PlayerNameLookups").long32();
    counts.componentInvokeSeconds = get(control, u"ComponentInvokeSeconds").dbl();
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

Variant TimedModule::invoke(std::u16string_view member, InvokeKind kind, Arguments& args) {
    if (lcase(member) != u"testepoint")
        return module_->invoke(member, kind, args);
    const sim::win32host::CallCounts before = readCounts(control_, false);
    const auto started = std::chrono::steady_clock::now();
    Variant result = module_->invoke(member, kind, args);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const sim::win32host::CallCounts after = readCounts(control_, false);
    GroupCost& cost = *group_;
    ++cost.checks;
    cost.checkSeconds += seconds;
    cost.checkSecondsInWord += after.componentInvokeSeconds - before.componentInvokeSeconds;
    cost.checkCalls += after.componentInvokes - before.componentInvokes +
                       after.componentNameLookups - before.componentNameLookups;
    return result;
}

void writeBench(std::ostream& out, const std::map<std::string, GroupCost>& costs, double bare) {
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
        total.scenarios += cost.scenarios;
        total.componentInvokes += cost.componentInvokes;
        total.componentLookups += cost.componentLookups;
        total.playerInvokes += cost.playerInvokes;
        total.playerLookups += cost.playerLookups;
        total.seconds += cost.seconds;
        total.checks += cost.checks;
        total.checkCalls += cost.checkCalls;
        total.checkSeconds += cost.checkSeconds;
        total.checkSecondsInWord += cost.checkSecondsInWord;
    }
    out << row("all", total);
    const double perCall = total.checkCalls ? total.checkSeconds / total.checkCalls : 0;
    std::snprintf(line, sizeof line,
                  "bare cross-process call (Visible read): %.1f us\n"
                  "component's time per Word call during checks: %.1f us\n"
                  "ratio (goal below 1.2): %.2f\n",
                  bare * 1e6, perCall * 1e6, bare > 0 ? perCall / bare : 0);
    out << line;
}

}  // namespace k72645::e2e
