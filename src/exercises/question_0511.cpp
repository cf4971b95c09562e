// Exercise 511: correcting a record of the data source. The class with its file table and its own
// Prepare steps; its checks run in runChecks.
#include "automation/text.h"
#include "automation/vb.h"
#include "exercises/component_globals.h"
#include "exercises/database_open_check.h"
#include "exercises/questions.h"

namespace k72645 {

namespace {

class Question0511 : public ExerciseFrame {
public:
    explicit Question0511(ExerciseServices services)
        : ExerciseFrame(u"Question0511", std::move(services)) {
        addWorkingFile(u"07264511.doc", u"Agence.doc", false);
        addWorkingFile(u"07264511.mdb", u"Clients.mdb", false);
    }

protected:
    void prepareOwnSteps() override {
        updateFields(word(), u"Agence.doc");
        // The main document type is left as Word sets it when the source is attached.
        word().activeDocument().mailMerge().openDataSource(workingFolder() + u"Clients.mdb");
    }

    void runChecks() override {
        // 1: the database must not be open in Word as a document.
        if (clientsDatabaseOpenAsDocument(word(), workingFolder())) {
            setVerdict(u"F");
            return;
        }
        // 2: no record was lost.
        if (vb::cInt(Variant(dataSource(word()).recordCount())) < 8) {
            setVerdict(u"A");
            return;
        }
        // 3: the record to correct is the next-to-last one; the check leaves it active.
        dataSource(word()).setActiveRecord(word::wdLastDataSourceRecord);
        dataSource(word()).setActiveRecord(word::wdPreviousDataSourceRecord);
        // 4 and 5: the surname neither left as it was nor erased.
        if (ucase(surname(word())) == u"MORLEAU") {
            setVerdict(u"B");
            return;
        }
        if (surname(word()).empty()) {
            setVerdict(u"C");
            return;
        }
        // 6: the right surname, read through Word's global object, which reaches the same Word;
        // the learner's text goes to the complement as Word gives it.
        const word::Application global(wordGlobal(*services().runtime));
        if (ucase(surname(global)) != u"MORLAUX") {
            setVerdict(u"D");
            complement().add(u" " + surname(global));
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

std::shared_ptr<ExerciseFrame> makeQuestion0511(ExerciseServices services) {
    return std::make_shared<Question0511>(std::move(services));
}

}  // namespace k72645
