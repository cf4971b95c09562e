// What a learner does between the player's calls, as statements of the scenario language on
// the player's `app`: the course's own scenarios give each exercise's work, right and wrong
// (their statements between InitQuestion and the first check), and a few moves any learner
// makes anywhere (typing, saving, closing a document, opening or closing a dialog, quitting
// or losing Word).
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace k72645::simulation {

using Statements = std::vector<std::string>;

class LearnerActions {
public:
    explicit LearnerActions(const std::filesystem::path& scenarioFolder);

    // An action for the exercise given (0: none started), drawn with `draws`; `kind` names it
    // for the coverage figures.
    Statements draw(std::mt19937_64& draws, std::int32_t exercise, std::string& kind) const;

    std::size_t workCount() const;

private:
    std::map<std::int32_t, std::vector<Statements>> work_;  // by exercise
};

}  // namespace k72645::simulation
