// Exercise 504: removing an AutoText entry from the letter template. The learner deletes the
// entry "le", saves the template and the letter and closes the letter; the check tells from the
// open documents, the files' modification times and the template's entries how far they got.
#include "automation/text.h"
#include "automation/vb.h"
#include "exercises/exercise_declaration.h"

namespace k72645 {

namespace {

class Question0504 : public ExerciseFrame {
public:
    using ExerciseFrame::ExerciseFrame;

protected:
    void prepareOwnSteps() override {
        word().activeDocument().setAttachedTemplate(templateFolder() + u"Lettre ORB.dot");
        // The check tells from these dates whether the letter and the template were saved.
        FileSystem& files = *services().files;
        letterDate_ = files.modificationTime(workingFolder() + u"Agence.doc");
        templateDate_ = files.modificationTime(templateFolder() + u"Lettre ORB.dot");
    }
    void closeOwnItems() override { removeTemplateFolder(); }

    void runChecks(const CheckContext& /*context*/) override {
        services().sleeper->sleep(1000);
        // While the letter is open, any failure is taken as the entry still being there.
        try {
            if (isLetterOpen()) {
                // The entry deleted but the letter still open gives "D".
                setVerdict(hasEntry(word().activeDocument()) ? u"A" : u"D");
                return;
            }
        } catch (...) {
            setVerdict(u"A");
            return;
        }
        // The letter is closed: from here failures are raised.
        FileSystem& files = *services().files;
        if (files.modificationTime(workingFolder() + u"Agence.doc") == letterDate_) {
            setVerdict(u"B");  // the letter was not saved
            return;
        }
        if (files.modificationTime(templateFolder() + u"lettre orb.dot") == templateDate_) {
            setVerdict(u"C");  // the template was not saved
            return;
        }
        word().documents().open(templateFolder() + u"lettre orb.dot");
        if (hasEntry(word().activeDocument())) {
            setVerdict(u"A");  // saved with the entry: the template is left open
            return;
        }
        word().activeDocument().close(Variant::missing());
    }

private:
    // Whether a document named "Agence.doc" is open, the count read once for the scan and
    // again for the answer.
    bool isLetterOpen() const {
        const std::int32_t count = word().documents().count();
        std::int32_t index = 1;
        while (index <= count) {
            if (lcase(word().documents().item(index).name()) == lcase(u"Agence.doc"))
                break;
            index = vb::addLong(index, 1);
        }
        return index <= word().documents().count();
    }

    // Whether the template attached to the document holds an entry named "le" in any case of
    // letters. The template and its entries are reached afresh at each use, by name.
    static bool hasEntry(const word::Document& document) {
        const auto entries = [&] { return document.attachedTemplate().autoTextEntries(); };
        const std::int32_t count = vb::cLng(get(entries().object(), u"Count"));
        std::int32_t index = 1;
        while (index <= count) {
            if (lcase(entries().item(index).name()) == u"le")
                break;
            index = vb::addLong(index, 1);
        }
        return index != 0 && index <= vb::cLng(get(entries().object(), u"Count"));
    }

    // Modification times of the letter and of the template when the exercise started.
    std::int64_t letterDate_ = 0;
    std::int64_t templateDate_ = 0;
};

}  // namespace

const ExerciseDeclaration& declareQuestion0504() {
    static const ExerciseDeclaration declaration{
        .number = 504,
        .className = u"Question0504",
        .title = u"Supprimer une insertion automatique du modèle",
        .workingFiles =
            {
                {u"07264504.doc", u"Agence.doc"},
                {u"07264504.dot", u"Lettre ORB.dot", true},
            },
        .classId = u"{C9E8DD7F-F57E-4DD5-BDD4-EAAE3B64B797}",
        .make = makeExercise<Question0504>,
    };
    return declaration;
}

}  // namespace k72645
