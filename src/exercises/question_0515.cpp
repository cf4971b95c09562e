// Exercise 515: a query on the data source and a merge to a new document. The class with its file
// table and its own Prepare steps; its checks run in runChecks.
#include "automation/text.h"
#include "automation/vb.h"
#include "exercises/exercise_declaration.h"
#include "exercises/merged_documents.h"

namespace k72645 {

namespace {

class Question0515 : public ExerciseFrame {
public:
    using ExerciseFrame::ExerciseFrame;

protected:
    void prepareOwnSteps() override { prepareFormLetterWithClients(word(), workingFolder()); }
    void closeOwnItems() override { closeLeadingMergedDocuments(word(), PassCount::Integer); }

    void runChecks(const CheckContext& /*context*/) override {
        // The letter is still a merge main document.
        word().documents().item(u"Agence.doc").activate();
        if (word().activeDocument().mailMerge().mainDocumentType() == word::wdNotAMergeDocument) {
            setVerdict(u"E");
            return;
        }
        // The "madame" records that the data source delivers now; the walk leaves the
        // data source on the record after the last one counted.
        const std::int16_t records = vb::cInt(Variant(dataSource().recordCount()));
        dataSource().setActiveRecord(word::wdFirstDataSourceRecord);
        std::int16_t madames = 0;
        for (std::int16_t pass = 1; pass <= records; pass = vb::addInteger(pass, 1)) {
            if (lcase(dataSource().dataFields().item(1).value()) == u"madame")
                madames = vb::addInteger(madames, 1);
            dataSource().setActiveRecord(word::wdNextDataSourceRecord);
        }
        // A window shows the merged document.
        const std::int16_t windows = vb::cInt(Variant(word().windows().count()));
        std::int16_t merged = 1;
        while (merged <= windows) {
            const std::u16string caption = word().windows().item(merged).caption();
            if (inStr(caption, u"Letters") > 0 || inStr(caption, u"Lettres") > 0)
                break;
            merged = vb::addInteger(merged, 1);
        }
        if (merged > word().windows().count()) {
            setVerdict(u"D");
            return;
        }
        // The query keeps the "madame" records, and exactly three of them.
        word().documents().item(u"Agence.doc").activate();
        const std::u16string query = lcase(dataSource().queryString());
        if (inStr(query, u"where") == 0) {
            setVerdict(u"A");
            return;
        }
        if (inStr(query, u"civil") == 0 || inStr(query, u"madame") == 0 || madames != 3) {
            setVerdict(u"B");
            return;
        }
        // One letter for each of them; the merged document stays active.
        word().windows().item(merged).activate();
        if (word().activeDocument().sections().count() - 1 != 3)
            setVerdict(u"C");
    }

private:
    word::MailMergeDataSource dataSource() const {
        return word().activeDocument().mailMerge().dataSource();
    }
};

}  // namespace

const ExerciseDeclaration& declareQuestion0515() {
    static const ExerciseDeclaration declaration{
        .number = 515,
        .className = u"Question0515",
        .title = u"Requête sur la source et fusion",
        .workingFiles =
            {
                {u"07264515.doc", u"Agence.doc"},
                {u"07264515.mdb", u"Clients.mdb"},
            },
        .documentChecks = {.workingDocumentOpen = true},
        .make = makeExercise<Question0515>,
    };
    return declaration;
}

}  // namespace k72645
