// Exercise 510: adding a record to the data source. The class with its declaration and its own
// Prepare steps; its checks run in runChecks.
#include "automation/text.h"
#include "automation/vb.h"
#include "exercises/exercise_declaration.h"

namespace k72645 {

namespace {

class Question0510 : public ExerciseFrame {
public:
    using ExerciseFrame::ExerciseFrame;

protected:
    void prepareOwnSteps() override { prepareFormLetterWithClients(word(), workingFolder()); }

    void runChecks(const CheckContext& /*context*/) override {
        // The database must not be open in Word as a document.
        if (databaseOpenAsDocument()) {
            setVerdict(u"A");
            return;
        }
        // Eight records, the added client included; the count as Word gave it otherwise.
        const std::int16_t count = vb::cInt(Variant(dataSource().recordCount()));
        if (count != 8) {
            setVerdict(u"B");
            complement().add(vb::str(Variant(count)));
            return;
        }
        // The added client is the last record, which the check leaves active.
        dataSource().setActiveRecord(word::wdLastDataSourceRecord);
        // Something was typed into the record.
        bool allEmpty = true;
        for (std::int32_t k = 1; k <= 7; ++k) {
            if (!fieldValue(k).empty())
                allEmpty = false;
        }
        if (allEmpty) {
            setVerdict(u"C");
            return;
        }
        // A street (field 4 or 5) and a town (field 6).
        const std::u16string street1 = fieldValue(4);
        const std::u16string street2 = fieldValue(5);
        const std::u16string town = fieldValue(6);
        if ((street1.empty() && street2.empty()) || town.empty()) {
            setVerdict(u"D");
            return;
        }
        // Each field as expected, in position order, each read afresh; the group (field 7)
        // is compared as it stands.
        struct Expected {
            std::u16string value;
            bool lowerCased;
            const char16_t* code;
        };
        static const Expected expected[7] = {
            {u"madame", true, u"E"},
            {u"lucani", true, u"F"},
            {u"cl\u00e9mence", true, u"K"},
            {u"4 rue des lilas", true, u"H"},
            {u"", true, u"I"},
            {u"49000 angers", true, u"J"},
            {u"1", false, u"L"},
        };
        for (std::int32_t k = 1; k <= 7; ++k) {
            const Expected& field = expected[k - 1];
            const std::u16string value = fieldValue(k);
            if ((field.lowerCased ? lcase(value) : value) != field.value) {
                setVerdict(field.code);
                return;
            }
        }
    }

private:
    word::MailMergeDataSource dataSource() const {
        return word().activeDocument().mailMerge().dataSource();
    }
    // The value of a field of the active record, read from Word at each call.
    std::u16string fieldValue(std::int32_t position) const {
        return dataSource().dataFields().item(position).value();
    }
    // The open documents are looked through Word's Application as the active document gives it;
    // the counter is a 16-bit Integer.
    bool databaseOpenAsDocument() const {
        const std::u16string database = lcase(workingFolder() + u"clients.mdb");
        const std::int16_t bound = vb::cInt(Variant(word().documents().count()));
        std::int16_t i = 1;
        while (i <= bound) {
            const word::Document document =
                word().activeDocument().application().documents().item(Variant(i));
            if (lcase(document.fullName()) == database)
                break;
            i = vb::addInteger(i, 1);
        }
        return i <= word().activeDocument().application().documents().count();
    }
};

}  // namespace

const ExerciseDeclaration& declareQuestion0510() {
    static const ExerciseDeclaration declaration{
        .number = 510,
        .className = u"Question0510",
        .title = u"Ajouter un enregistrement à la source",
        .workingFiles =
            {
                {u"07264510.doc", u"Agence.doc"},
                {u"07264510.mdb", u"Clients.mdb"},
            },
        .documentChecks = {.workingDocumentOpen = true,
                           .workingDocumentActive = true,
                           .bookmarks = {u"e01"},
                           .mainDocument = true},
        .classId = u"{914908BB-6BBE-457B-9A2E-2F4C8E7C771D}",
        .make = makeExercise<Question0510>,
    };
    return declaration;
}

}  // namespace k72645
