// A scenario that cannot be read: where (line and column, from 1) and what was expected.
#pragma once

#include <stdexcept>
#include <string>

namespace k72645::player {

class ScenarioSyntaxError : public std::runtime_error {
public:
    ScenarioSyntaxError(int line, int column, std::string expected, std::string found)
        : std::runtime_error("line " + std::to_string(line) + ", column " + std::to_string(column) +
                             ": expected " + expected + ", found " + found),
          line_(line),
          column_(column),
          expected_(std::move(expected)),
          found_(std::move(found)) {}

    int line() const { return line_; }
    int column() const { return column_; }
    const std::string& expected() const { return expected_; }
    const std::string& found() const { return found_; }

private:
    int line_;
    int column_;
    std::string expected_;
    std::string found_;
};

}  // namespace k72645::player
