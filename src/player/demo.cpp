#include "player/demo.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iomanip>
#include <sstream>

#include "automation/text.h"
#include "player/run_report.h"

namespace k72645::player {

namespace fs = std::filesystem;

namespace {

std::string trimmed(const std::string& text) {
    std::size_t a = text.find_first_not_of(" \t\r");
    if (a == std::string::npos)
        return {};
    std::size_t b = text.find_last_not_of(" \t\r");
    return text.substr(a, b - a + 1);
}

std::string lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A verdict code as shown in the table: in quotes, so that the empty code shows.
std::string shown(const std::optional<std::string>& code) {
    return code ? "\"" + *code + "\"" : "-";
}

std::string readText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::optional<std::string> expectedVerdict(const std::string& utf8Text) {
    std::istringstream lines(utf8Text);
    std::string line;
    while (std::getline(lines, line)) {
        std::string t = trimmed(line);
        if (t.empty())
            continue;
        if (t[0] != '\'')
            break;  // the header ends at the first statement
        t = trimmed(t.substr(1));
        if (lower(t.substr(0, 7)) != "expect:")
            continue;
        std::string code = trimmed(t.substr(7));
        if (code.size() >= 2 && code.front() == '"' && code.back() == '"') {
            code = code.substr(1, code.size() - 2);
        } else if (lower(code) == "pass") {
            code.clear();
        }
        return code;
    }
    return std::nullopt;
}

DemoCase demoCaseOf(const fs::path& file) {
    DemoCase c;
    c.file = file;
    const std::string stem = file.stem().string();
    const std::size_t dash = stem.find('-');
    c.exercise = dash == std::string::npos ? stem : stem.substr(0, dash);
    c.name = dash == std::string::npos ? std::string() : stem.substr(dash + 1);
    c.expected = expectedVerdict(readText(file));
    return c;
}

std::vector<DemoCase> findDemoCases(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (entry.is_regular_file() && entry.path().extension() == ".scn") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<DemoCase> cases;
    for (const auto& f : files)
        cases.push_back(demoCaseOf(f));
    return cases;
}

int runDemo(const std::vector<DemoCase>& cases, const WorldFactory& worlds,
            const DemoOptions& options, std::ostream& out) {
    std::vector<ScenarioOutcome> outcomes;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        if (options.progress) {
            out << "\r\033[K[" << i + 1 << "/" << cases.size() << "] "
                << cases[i].file.filename().string() << std::flush;
        }
        outcomes.push_back(runScenarioFile(cases[i].file, worlds));
    }
    if (options.progress)
        out << "\r\033[K" << std::flush;

    std::size_t caseWidth = 4;
    for (const auto& c : cases)
        caseWidth = std::max(caseWidth, c.name.size());
    auto row = [&](const std::string& exercise, const std::string& name,
                   const std::string& expected, const std::string& got, const std::string& result) {
        out << std::left << std::setw(10) << exercise << std::setw(static_cast<int>(caseWidth) + 2)
            << name << std::setw(10) << expected << std::setw(10) << got << result << "\n";
    };
    row("Exercise", "Case", "Expected", "Got", "Result");
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const ScenarioOutcome& o = outcomes[i];
        std::optional<std::string> got;
        if (o.verdict)
            got = toUtf8(*o.verdict);
        row(cases[i].exercise, cases[i].name, shown(cases[i].expected), shown(got),
            o.passed ? "pass" : "FAIL");
    }
    bool anyFailed = false;
    for (const auto& o : outcomes) {
        if (o.passed)
            continue;
        if (!anyFailed)
            out << "\n";
        anyFailed = true;
        out << reportLine(o) << "\n";
    }
    out << summaryLine(outcomes) << "\n";
    return exitStatus(outcomes);
}

}  // namespace k72645::player
