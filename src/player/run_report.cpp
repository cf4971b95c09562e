#include "player/run_report.h"

#include <cstdio>

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

void writeReport(std::ostream& out, const std::vector<ScenarioOutcome>& outcomes) {
    for (const auto& o : outcomes)
        out << reportLine(o) << "\n";
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
        if (o.passed) {
            out << "/>\n";
            continue;
        }
        out << ">\n      <failure message=\"" << xmlText(o.reason) << "\">"
            << xmlText(o.failureLine()) << "</failure>\n    </testcase>\n";
    }
    out << "  </testsuite>\n</testsuites>\n";
}

int exitStatus(const std::vector<ScenarioOutcome>& outcomes) {
    return failedCount(outcomes) == 0 ? 0 : 1;
}

}  // namespace k72645::player
