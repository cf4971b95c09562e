#include "learner_actions.h"

#include "simulation_script.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace k72645::simulation {

namespace {

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// The learner's statements of a course scenario: those between its InitQuestion and its first
// check that act on Word alone (no assertion, no call on the Module, the world or the desktop,
// no continued line).
Statements learnerStatementsOf(const std::filesystem::path& file) {
    std::ifstream in(file);
    Statements statements;
    bool started = false;
    std::string line;
    while (std::getline(in, line)) {
        const std::string statement = trimmed(line);
        if (contains(statement, "Module.InitQuestion")) {
            started = true;
            continue;
        }
        if (!started || statement.empty() || statement[0] == '\'')
            continue;
        if (contains(statement, "Module.TestePoint"))
            break;
        if (statement.rfind("Assert", 0) == 0 || contains(statement, "Module.") ||
            contains(statement, "Sim.") || contains(statement, "Desktop.") ||
            contains(statement, "Deliver(") || contains(statement, "On Error") ||
            contains(statement, "Err.") || contains(statement, "CreateObject") ||
            statement.rfind("Show", 0) == 0 || statement.back() == '_')
            return {};
        statements.push_back(statement);
    }
    return statements;
}

}  // namespace

LearnerActions::LearnerActions(const std::filesystem::path& scenarioFolder) {
    for (const auto& entry : std::filesystem::directory_iterator(scenarioFolder)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".scn" || name.size() < 4 || name[3] != '-')
            continue;
        std::int32_t exercise = 0;
        try {
            exercise = std::stoi(name.substr(0, 3));
        } catch (const std::exception&) {
            continue;
        }
        Statements statements = learnerStatementsOf(entry.path());
        if (!statements.empty())
            work_[exercise].push_back(std::move(statements));
    }
    // Directory order is the file system's: sort for runs that replay on any machine.
    for (auto& [exercise, works] : work_)
        std::sort(works.begin(), works.end());
}

std::size_t LearnerActions::workCount() const {
    std::size_t count = 0;
    for (const auto& [exercise, works] : work_)
        count += works.size();
    return count;
}

Statements LearnerActions::draw(std::mt19937_64& draws, std::int32_t exercise,
                                std::string& kind) const {
    const auto works = work_.find(exercise);
    const auto pick = draws() % 12;
    if (pick < 4 && works != work_.end()) {
        kind = "exercise work";
        return works->second[draws() % works->second.size()];
    }
    switch (pick % 8) {
        case 0:
            kind = "typing";
            return {"app.Selection.TypeText \"Bonjour\""};
        case 1:
            kind = "saving";
            return {"app.ActiveDocument.Save"};
        case 2:
            kind = "closing a document";
            return {"app.ActiveDocument.Close 0"};
        case 3:
            kind = "opening a dialog";
            return {(draws() % 2) ? "app.ShowDialog \"Options\", True"
                                  : "app.ShowDialog \"Rechercher et remplacer\""};
        case 4:
            kind = "closing a dialog";
            return {"Desktop.SendMessage Desktop.GetForegroundWindow(), 16"};
        case 5:
            kind = "new document";
            return {"app.Documents.Add"};
        case 6:
            kind = "quitting Word";
            return {"app.Quit 0"};
        default:
            kind = "Word killed";
            return {"Sim.KillWord"};
    }
}

}  // namespace k72645::simulation
