// Exercise 509: showing the list of recipients. The learner asks for the correction with Word's
// mail-merge recipients dialog open over the letter; the Module tells the check what it saw
// when the check began.
#include "automation/text.h"
#include "automation/vb.h"
#include "exercises/exercise_declaration.h"

namespace k72645 {

namespace {

class Question0509 : public ExerciseFrame {
public:
    using ExerciseFrame::ExerciseFrame;

protected:
    void prepareOwnSteps() override { prepareFormLetterWithClients(word(), workingFolder()); }

    void runChecks(const CheckContext& context) override {
        if (isDatabaseOpenAsDocument()) {
            setVerdict(u"A");
            return;
        }
        if (!context.recipientsDialogOpen) {
            setVerdict(u"B");
            return;
        }
        const std::u16string source = word().activeDocument().mailMerge().dataSource().name();
        const std::u16string fullName = word().activeDocument().fullName();
        if (right(lcase(fullName), 10) != u"agence.doc" ||
            lcase(fileNamePart(source)) != u"clients.mdb") {
            // Another letter, or another database; an empty source name names none.
            setVerdict(u"C");
        }
    }

private:
    // Whether the working folder's database is open in Word as a document, the open documents
    // being reached through the active document's application.
    bool isDatabaseOpenAsDocument() const {
        const auto documents = [&] { return word().activeDocument().application().documents(); };
        const std::u16string database = lcase(workingFolder() + u"clients.mdb");
        const std::int32_t count = documents().count();
        std::int32_t i = 1;
        for (; i <= count; i = vb::addLong(i, 1)) {
            if (lcase(documents().item(i).fullName()) == database)
                break;
        }
        return i <= documents().count();
    }

    // The text after the last folder separator, or the whole name when it holds none. The
    // simulated Word of other platforms also separates folders with "/".
    static std::u16string fileNamePart(const std::u16string& name) {
        const std::size_t at = name.find_last_of(u"\\/");
        return at == std::u16string::npos ? name : name.substr(at + 1);
    }
};

}  // namespace

const ExerciseDeclaration& declareQuestion0509() {
    static const ExerciseDeclaration declaration{
        .number = 509,
        .className = u"Question0509",
        .title = u"Afficher la liste des destinataires",
        .workingFiles =
            {
                {u"07264509.doc", u"Agence.doc"},
                {u"07264509.mdb", u"Clients.mdb"},
            },
        .documentChecks = {.workingDocumentOpen = true,
                           .bookmarks = {u"e01"},
                           .mainDocument = true},
        .recipientsDialog = RecipientsDialogPolicy::KeepItAndCheck,
        .classId = u"{26EDB97F-2094-46FA-AB45-6585E5E0D5E4}",
        .make = makeExercise<Question0509>,
    };
    return declaration;
}

}  // namespace k72645
