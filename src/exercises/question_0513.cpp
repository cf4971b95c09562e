// Exercise 513: sorting the recipients. The class with its file table and its own Prepare steps;
// its checks run in runChecks.
#include <array>

#include "automation/text.h"
#include "automation/vb.h"
#include "exercises/database_open_check.h"
#include "exercises/questions.h"

namespace k72645 {

namespace {

class Question0513 : public ExerciseFrame {
public:
    explicit Question0513(ExerciseServices services)
        : ExerciseFrame(u"Question0513", std::move(services)) {
        addWorkingFile(u"07264513.doc", u"Agence.doc", false);
        addWorkingFile(u"07264513.mdb", u"Clients.mdb", false);
    }

protected:
    void prepareOwnSteps() override { prepareFormLetterWithClients(word(), workingFolder()); }

    void runChecks() override {
        // 1: the surnames in the order the database delivers them, and sorted.
        using Names = std::array<std::u16string, 7>;
        const Names delivered = {u"KERVADEC", u"FOUCAL",  u"MARTEL", u"TOLRE",
                                 u"BOIN",     u"MORLAUX", u"LUCANI"};
        const Names sorted = {u"KERVADEC", u"FOUCAL", u"LUCANI", u"MARTEL",
                              u"TOLRE",    u"BOIN",   u"MORLAUX"};
        // 2 and 3: the database must not be open in Word as a document.
        if (clientsDatabaseOpenAsDocument(word(), workingFolder())) {
            setVerdict(u"A");
            return;
        }
        // 4: all seven recipients still delivered.
        if (vb::cInt(Variant(dataSource().recordCount())) != 7) {
            setVerdict(u"B");
            return;
        }
        // 5: the surnames (field 2) in the order the data source now delivers them.
        Names read;
        dataSource().setActiveRecord(word::wdFirstDataSourceRecord);
        for (std::u16string& name : read) {
            name = dataSource().dataFields().item(2).value();
            dataSource().setActiveRecord(word::wdNextDataSourceRecord);
        }
        // 6 and 7: compared exactly, position by position, with both orders.
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

std::shared_ptr<ExerciseFrame> makeQuestion0513(ExerciseServices services) {
    return std::make_shared<Question0513>(std::move(services));
}

}  // namespace k72645
