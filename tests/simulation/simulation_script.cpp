#include "simulation_script.h"

#include <sstream>

#include "automation/text.h"

namespace k72645::simulation {

namespace {

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

std::string trimmed(const std::string& line) {
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    const auto last = line.find_last_not_of(" \t\r");
    return line.substr(first, last - first + 1);
}

PlayerCall playerCallOf(const ScriptStep& step) {
    for (const std::string& statement : step.statements) {
        const auto at = statement.find("Module.");
        if (at == std::string::npos)
            continue;
        const std::string member = statement.substr(at + 7);
        if (startsWith(member, "InitQuestion"))
            return PlayerCall::InitQuestion;
        if (startsWith(member, "TestePoint"))
            return PlayerCall::TestePoint;
        if (startsWith(member, "Fermer"))
            return PlayerCall::Fermer;
        if (startsWith(member, "Quitter"))
            return PlayerCall::Quitter;
        return PlayerCall::VerdictRead;
    }
    return PlayerCall::None;
}

const char* playerCallName(PlayerCall call) {
    switch (call) {
        case PlayerCall::None:
            return "learner action";
        case PlayerCall::InitQuestion:
            return "InitQuestion";
        case PlayerCall::TestePoint:
            return "TestePoint";
        case PlayerCall::Fermer:
            return "Fermer";
        case PlayerCall::Quitter:
            return "Quitter";
        case PlayerCall::VerdictRead:
            return "verdict read";
    }
    return "";
}

const std::vector<std::string>& preamble() {
    static const std::vector<std::string> lines = {"On Error Resume Next", "Set app = Nothing",
                                                   "hwnd = -1"};
    return lines;
}

std::string armingStatement(const sim::InjectedFault& fault) {
    std::string line = "Sim.Faults.Inject \"" + toUtf8(sim::faultKindName(fault.fault.kind)) +
                       "\", " + std::to_string(fault.place);
    if (fault.fault.kind == sim::FaultKind::WordError ||
        fault.fault.kind == sim::FaultKind::FileRefused)
        line += ", " + std::to_string(fault.fault.number);
    return line + "  ' at " + toUtf8(fault.at);
}

std::string scenarioText(const std::vector<std::string>& header,
                         const std::vector<ScriptStep>& steps,
                         const std::vector<std::string>& trailer) {
    std::ostringstream out;
    for (const std::string& line : header)
        out << "' " << line << "\n";
    for (const std::string& line : preamble())
        out << line << "\n";
    for (const ScriptStep& step : steps) {
        out << "\n";
        for (const auto& fault : step.faults)
            out << armingStatement(fault) << "\n";
        for (const std::string& statement : step.statements)
            out << statement << "\n";
    }
    if (!trailer.empty())
        out << "\n";
    for (const std::string& line : trailer)
        out << line << "\n";
    return out.str();
}

std::vector<ScriptStep> stepsOfScenario(const std::string& text) {
    std::vector<ScriptStep> steps;
    std::istringstream in(text);
    std::string line;
    bool inBlock = false;
    while (std::getline(in, line)) {
        const std::string statement = trimmed(line);
        if (statement.empty()) {
            inBlock = false;
            continue;
        }
        if (statement[0] == '\'' || startsWith(statement, "Assert "))
            continue;
        if (!inBlock) {
            steps.emplace_back();
            inBlock = true;
        }
        steps.back().statements.push_back(statement);
    }
    // The first block is the preamble, which the runner plays itself.
    if (!steps.empty())
        steps.erase(steps.begin());
    return steps;
}

}  // namespace k72645::simulation
