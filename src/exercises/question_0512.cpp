// Exercise 512: leaving a recipient out of the merge. The class with its declaration and its own
// Prepare steps; its checks run in runChecks.
#include "automation/text.h"
#include "automation/vb.h"
#include "exercises/database_open_check.h"
#include "exercises/exercise_declaration.h"

namespace k72645 {

namespace {

class Question0512 : public ExerciseFrame {
public:
    using ExerciseFrame::ExerciseFrame;

protected:
    void prepareOwnSteps() override { prepareFormLetterWithClients(word(), workingFolder()); }

    void runChecks(const CheckContext& /*context*/) override {
        // Print preview is left first, whatever the verdict.
        if (word().printPreview())
            word().setPrintPreview(false);
        // The database must not be open in Word as a document.
        if (clientsDatabaseOpenAsDocument(word(), workingFolder())) {
            setVerdict(u"D");
            return;
        }
        // Exactly one recipient left out.
        const std::int16_t count = vb::cInt(Variant(dataSource().recordCount()));
        if (count == 8) {
            setVerdict(u"A");
            return;
        }
        if (count < 7) {
            setVerdict(u"B");
            return;
        }
        // The recipient to leave out is no longer among the records; the walk reads both
        // fields of each record and ends on the record where it stopped.
        dataSource().setActiveRecord(word::wdFirstDataSourceRecord);
        std::int16_t i = 1;
        while (i <= count) {
            const std::u16string title = fieldValue(1);
            const std::u16string name = fieldValue(2);
            if (lcase(title) == u"mademoiselle" && lcase(name) == u"fabregue")
                break;
            dataSource().setActiveRecord(word::wdNextDataSourceRecord);
            i = vb::addInteger(i, 1);
        }
        if (i <= count)
            setVerdict(u"C");
    }

private:
    word::MailMergeDataSource dataSource() const {
        return word().activeDocument().mailMerge().dataSource();
    }
    std::u16string fieldValue(std::int32_t position) const {
        return dataSource().dataFields().item(position).value();
    }
};

}  // namespace

const ExerciseDeclaration& declareQuestion0512() {
    static const ExerciseDeclaration declaration{
        .number = 512,
        .className = u"Question0512",
        .title = u"Exclure un destinataire de la fusion",
        .workingFiles =
            {
                {u"07264512.doc", u"Agence.doc"},
                {u"07264512.mdb", u"Clients.mdb"},
            },
        .documentChecks = {.workingDocumentOpen = true,
                           .workingDocumentActive = true,
                           .bookmarks = {u"e01"},
                           .mainDocument = true},
        .classId = u"{C3E8468A-64C9-4C58-93AB-46F58A01FBA3}",
        .make = makeExercise<Question0512>,
    };
    return declaration;
}

}  // namespace k72645
