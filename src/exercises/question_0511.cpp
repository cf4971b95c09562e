// Exercise 511: correcting a record of the data source. The class with its declaration and its own
// Prepare steps; its checks run in runChecks.
#include "automation/text.h"
#include "automation/vb.h"
#include "exercises/database_open_check.h"
#include "exercises/exercise_declaration.h"

namespace k72645 {

namespace {

class Question0511 : public ExerciseFrame {
public:
    using ExerciseFrame::ExerciseFrame;

protected:
    void prepareOwnSteps() override {
        updateFields(word(), u"Agence.doc");
        // The main document type is left as Word sets it when the source is attached.
        word().activeDocument().mailMerge().openDataSource(workingFolder() + u"Clients.mdb");
    }

    void runChecks(const CheckContext& /*context*/) override {
        // The database must not be open in Word as a document.
        if (clientsDatabaseOpenAsDocument(word(), workingFolder())) {
            setVerdict(u"F");
            return;
        }
        // No record was lost.
        if (vb::cInt(Variant(dataSource(word()).recordCount())) < 8) {
            setVerdict(u"A");
            return;
        }
        // The record to correct is the next-to-last one; the check leaves it active.
        dataSource(word()).setActiveRecord(word::wdLastDataSourceRecord);
        dataSource(word()).setActiveRecord(word::wdPreviousDataSourceRecord);
        // The surname neither left as it was nor erased.
        if (ucase(surname(word())) == u"MORLEAU") {
            setVerdict(u"B");
            return;
        }
        if (surname(word()).empty()) {
            setVerdict(u"C");
            return;
        }
        // The right surname, read through Word's global object, which reaches the same Word;
        // the learner's text goes to the complement as Word gives it.
        const std::u16string correction =
            readThroughWordGlobal([](const word::Application& global) { return surname(global); });
        if (ucase(correction) != u"MORLAUX") {
            setVerdict(u"D");
            complement().add(u" " + readThroughWordGlobal([](const word::Application& global) {
                                 return surname(global);
                             }));
        }
    }

private:
    static word::MailMergeDataSource dataSource(const word::Application& through) {
        return through.activeDocument().mailMerge().dataSource();
    }
    // The surname (field 2) of the active record, read from Word at each call.
    static std::u16string surname(const word::Application& through) {
        return dataSource(through).dataFields().item(2).value();
    }
};

}  // namespace

const ExerciseDeclaration& declareQuestion0511() {
    static const ExerciseDeclaration declaration{
        .number = 511,
        .className = u"Question0511",
        .title = u"Corriger un enregistrement de la source",
        .workingFiles =
            {
                {u"07264511.doc", u"Agence.doc"},
                {u"07264511.mdb", u"Clients.mdb"},
            },
        .documentChecks = {.workingDocumentOpen = true,
                           .workingDocumentActive = true,
                           .bookmarks = {u"e01"},
                           .mainDocument = true},
        .classId = u"{AC71751D-3890-4BF5-BAE5-513E54DD2FAD}",
        .make = makeExercise<Question0511>,
    };
    return declaration;
}

}  // namespace k72645
