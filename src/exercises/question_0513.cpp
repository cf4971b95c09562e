// Exercise 513: sorting the recipients. The class with its declaration and its own Prepare steps;
// its checks run in runChecks.
#include <array>

#include "automation/text.h"
#include "automation/vb.h"
#include "exercises/database_open_check.h"
#include "exercises/exercise_declaration.h"

namespace k72645 {

namespace {

class Question0513 : public ExerciseFrame {
public:
    using ExerciseFrame::ExerciseFrame;

protected:
    void prepareOwnSteps() override { prepareFormLetterWithClients(word(), workingFolder()); }

    void runChecks(const CheckContext& /*context*/) override {
        // The surnames in the order the database delivers them, and sorted.
        using Names = std::array<std::u16string, 7>;
        const Names delivered = {u"KERVADEC", u"FOUCAL",  u"MARTEL", u"TOLRE",
                                 u"BOIN",     u"MORLAUX", u"LUCANI"};
        const Names sorted = {u"KERVADEC", u"FOUCAL", u"LUCANI", u"MARTEL",
                              u"TOLRE",    u"BOIN",   u"MORLAUX"};
        // The database must not be open in Word as a document.
        if (clientsDatabaseOpenAsDocument(word(), workingFolder())) {
            setVerdict(u"A");
            return;
        }
        // All seven recipients still delivered.
        if (vb::cInt(Variant(dataSource().recordCount())) != 7) {
            setVerdict(u"B");
            return;
        }
        // The surnames (field 2) in the order the data source now delivers them.
        Names read;
        dataSource().setActiveRecord(word::wdFirstDataSourceRecord);
        for (std::u16string& name : read) {
            name = dataSource().dataFields().item(2).value();
            dataSource().setActiveRecord(word::wdNextDataSourceRecord);
        }
        // Compared exactly, position by position, with both orders.
        std::int16_t asDelivered = 0;
        std::int16_t asSorted = 0;
        for (std::size_t i = 0; i < read.size(); ++i) {
            if (read[i] == delivered[i])
                asDelivered = vb::addInteger(asDelivered, 1);
            if (read[i] == sorted[i])
                asSorted = vb::addInteger(asSorted, 1);
        }
        if (asDelivered == 7)
            setVerdict(u"C");
        else if (asSorted != 7)
            setVerdict(u"D");
    }

private:
    word::MailMergeDataSource dataSource() const {
        return word().activeDocument().mailMerge().dataSource();
    }
};

}  // namespace

const ExerciseDeclaration& declareQuestion0513() {
    static const ExerciseDeclaration declaration{
        .number = 513,
        .className = u"Question0513",
        .title = u"Trier les destinataires",
        .workingFiles =
            {
                {u"07264513.doc", u"Agence.doc"},
                {u"07264513.mdb", u"Clients.mdb"},
            },
        .documentChecks = {.workingDocumentOpen = true,
                           .workingDocumentActive = true,
                           .bookmarks = {u"e01"},
                           .mainDocument = true},
        .classId = u"{0409686D-6617-43A4-BF7E-E44EF0470A4C}",
        .make = makeExercise<Question0513>,
    };
    return declaration;
}

}  // namespace k72645
