// Exercise 505: a date field after the place name. The bookmark "s01" spans the line "Nantes, le ";
// the learner completes it with a field that shows the date. The check reads the line as Word
// shows it, then with field codes shown, and gives the field-code display back afterwards.
#include <vector>

#include "automation/text.h"
#include "errors/error_service.h"
#include "exercises/exercise_declaration.h"

namespace k72645 {

namespace {

const std::u16string kPlaceName = u"Nantes, le ";

// The words of a field's code, split at spaces.
std::vector<std::u16string> wordsOf(std::u16string_view code) {
    std::vector<std::u16string> words;
    std::u16string current;
    for (const char16_t c : code) {
        if (c != u' ') {
            current += c;
        } else if (!current.empty()) {
            words.push_back(std::move(current));
            current.clear();
        }
    }
    if (!current.empty())
        words.push_back(std::move(current));
    return words;
}

// Whether the lower-cased text, shown with field codes, holds a TIME field without a picture
// (" time " or " time \* mergeformat "), which shows the time of day rather than a date. Each
// field's own code runs from its field-begin character to the next field character.
bool holdsPlainTimeField(std::u16string_view codes) {
    const std::u16string begin(1, char16_t{19});
    for (std::size_t at = codes.find(begin); at != std::u16string_view::npos;
         at = codes.find(begin, at + 1)) {
        const std::size_t end = codes.find_first_of(u"\x13\x15", at + 1);
        const std::vector<std::u16string> words = wordsOf(codes.substr(at + 1, end - at - 1));
        if (words == std::vector<std::u16string>{u"time"} ||
            words == std::vector<std::u16string>{u"time", u"\\*", u"mergeformat"})
            return true;
    }
    return false;
}

class Question0505 : public ExerciseFrame {
public:
    using ExerciseFrame::ExerciseFrame;

protected:
    void closeOwnItems() override {
        // Like the exercises with a template, this one removes the template folder.
        removeTemplateFolder();
    }

    void runChecks(const CheckContext& /*context*/) override {
        // Fields show their results while the line is read; the learner's setting comes back
        // with every verdict, but not after a failure.
        const bool saved = view().showFieldCodes();
        if (view().showFieldCodes())
            view().setShowFieldCodes(false);
        judgeLine();
        view().setShowFieldCodes(saved);
    }

private:
    word::View view() const { return word().activeWindow().view(); }

    void judgeLine() {
        const word::Range range = word().activeDocument().bookmarks().item(u"s01").range();
        const std::u16string text = range.text();
        // Without the paragraph mark that closes the line; an empty bookmark fails here.
        const std::u16string line = left(text, static_cast<std::int64_t>(text.size()) - 1);
        if (line == kPlaceName) {
            setVerdict(u"B");  // nothing after the place name
            return;
        }
        if (left(line, 11) != kPlaceName) {
            setVerdict(u"A");  // the beginning of the line was altered
            return;
        }
        if (range.fields().count() == 0) {
            setVerdict(u"C");  // a typed date
            return;
        }
        if (!view().showFieldCodes())
            view().setShowFieldCodes(true);
        const std::u16string codes = lcase(range.text());
        if (inStr(codes, u" date") == 0 && inStr(codes, u" time") == 0 &&
            inStr(codes, u" heure") == 0) {
            setVerdict(u"D");  // not a date or time field
            return;
        }
        // A field that shows hours and minutes, by its picture or for want of one.
        ignoringErrors([&] {
            if (inStr(codes, u"h:mm") != 0 || holdsPlainTimeField(codes))
                setVerdict(u"E");
        });
    }
};

}  // namespace

const ExerciseDeclaration& declareQuestion0505() {
    static const ExerciseDeclaration declaration{
        .number = 505,
        .className = u"Question0505",
        .title = u"Champ date après le nom du lieu",
        .workingFiles =
            {
                {u"07264505.doc", u"Agence.doc"},
            },
        .documentChecks = {.workingDocumentOpen = true,
                           .workingDocumentActive = true,
                           .paragraphCount = true,
                           .bookmarks = {u"e01", u"s01"}},
        .classId = u"{4F36BF64-66F4-4AA2-9CB7-167444CBB4C7}",
        .make = makeExercise<Question0505>,
    };
    return declaration;
}

}  // namespace k72645
