#include "sim_test_support.h"

namespace k72645::sim::testing {

std::string documentJson(const std::string& storyJson, const std::string& extra) {
    return "{\"k72645\": \"document\", \"story\": " + storyJson + extra + "}";
}

std::string databaseJson() {
    return R"({"k72645": "database", "table": "Clients",
  "fields": ["Civilite", "Nom", "Groupe"],
  "records": [["Monsieur", "KERVADEC", "1"], ["Madame", "FOUCAL", "2"], ["Madame", "MARTEL", "1"]]})";
}

}  // namespace k72645::sim::testing
