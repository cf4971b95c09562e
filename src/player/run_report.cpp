#include "player/run_report.h"

#include <cstdio>
#include <sstream>

#include "player/terminal_text.h"

namespace k72645::player {

namespace {

// Text for XML: the five special characters escaped, characters XML cannot hold dropped.
std::string xmlText(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
                    break;
                out += static_cast<char>(c);
        }
    }
    return out;
}

void writeIndented(std::ostream& out, const std::string& text, bool colours) {
    std::istringstream lines(forReader(text, colours));
    std::string line;
    while (std::getline(lines, line))
        out << "    " << line << "\n";
}

std::string seconds(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", value);
    return buffer;
}

}  // namespace

std::string reportLine(const ScenarioOutcome& outcome) {
    if (outcome.passed)
        return "pass  " + outcome.file;
    return "FAIL  " + outcome.failureLine();
}

int failedCount(const std::vector<ScenarioOutcome>& outcomes) {
    int failed = 0;
    for (const auto& o : outcomes)
        failed += o.passed ? 0 : 1;
    return failed;
}

std::string summaryLine(const std::vector<ScenarioOutcome>& outcomes) {
    const int failed = failedCount(outcomes);
    const int passed = static_cast<int>(outcomes.size()) - failed;
    return std::to_string(passed) + " passed, " + std::to_string(failed) + " failed";
}

void writeOutcome(std::ostream& out, const ScenarioOutcome& outcome, bool colours) {
    out << reportLine(outcome) << "\n";
    writeIndented(out, outcome.shown, colours);
    if (!outcome.passed)
        writeIndented(out, outcome.documentView, colours);
}

void writeReport(std::ostream& out, const std::vector<ScenarioOutcome>& outcomes) {
    for (const auto& o : outcomes)
        writeOutcome(out, o, false);
    out << summaryLine(outcomes) << "\n";
}

void writeJUnit(std::ostream& out, const std::vector<ScenarioOutcome>& outcomes) {
    double total = 0;
    for (const auto& o : outcomes)
        total += o.seconds;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out << "<testsuites tests=\"" << outcomes.size() << "\" failures=\"" << failedCount(outcomes)
        << "\" time=\"" << seconds(total) << "\">\n";
    out << "  <testsuite name=\"k72645 scenarios\" tests=\"" << outcomes.size() << "\" failures=\""
        << failedCount(outcomes) << "\" errors=\"0\" time=\"" << seconds(total) << "\">\n";
    for (const auto& o : outcomes) {
        out << "    <testcase classname=\"scenarios\" name=\"" << xmlText(o.file) << "\" time=\""
            << seconds(o.seconds) << "\"";
        if (o.passed && o.shown.empty()) {
            out << "/>\n";
            continue;
        }
        out << ">\n";
        if (!o.passed) {
            std::string text = o.failureLine();
            if (!o.documentView.empty())
                text += "\n" + withoutColours(o.documentView);
            out << "      <failure message=\"" << xmlText(o.reason) << "\">" << xmlText(text)
                << "</failure>\n";
        }
        if (!o.shown.empty())
            out << "      <system-out>" << xmlText(withoutColours(o.shown)) << "</system-out>\n";
        out << "    </testcase>\n";
    }
    out << "  </testsuite>\n</testsuites>\n";
}

int exitStatus(const std::vector<ScenarioOutcome>& outcomes) {
    return failedCount(outcomes) == 0 ? 0 : 1;
}

}  // namespace k72645::player
