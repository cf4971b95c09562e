// Exercise 512: leaving a recipient out of the merge. The class with its file table and its own
// Prepare steps; its checks run in runChecks.
#include "automation/text.h"
#include "automation/vb.h"
#include "exercises/database_open_check.h"
#include "exercises/questions.h"

namespace k72645 {

namespace {

class Question0512 : public ExerciseFrame {
public:
    explicit Question0512(ExerciseServices services)
        : ExerciseFrame(u"Question0512", std::move(services)) {
        addWorkingFile(u"07264512.doc", u"Agence.doc", false);
        addWorkingFile(u"07264512.mdb", u"Clients.mdb", false);
    }

protected:
    void prepareOwnSteps() override { prepareFormLetterWithClients(word(), workingFolder()); }

    void runChecks() override {
        // 1: print preview is left first, whatever the verdict.
        if (word().printPreview())
            word().setPrintPreview(false);
        // 2: the database must not be open in Word as a document.
        if (clientsDatabaseOpenAsDocument(word(), workingFolder())) {
            setVerdict(u"D");
            return;
        }
        // 3 and 4: exactly one recipient left out.
        const std::int16_t count = vb::cInt(Variant(dataSource().recordCount()));
        if (count == 8) {
            setVerdict(u"A");
            return;
        }
        if (count < 7) {
            setVerdict(u"B");
            return;
        }
        // 5: the recipient to leave out is no longer among the records; the walk reads both
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

std::shared_ptr<ExerciseFrame> makeQuestion0512(ExerciseServices services) {
    return std::make_shared<Question0512>(std::move(services));
}

}  // namespace k72645
