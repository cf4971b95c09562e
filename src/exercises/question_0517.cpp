// Exercise 517: creating a new data source. The class with its declaration and its own Prepare
// steps; its checks run in runChecks.
#include <array>

#include "automation/text.h"
#include "automation/vb.h"
#include "exercises/exercise_declaration.h"
#include "exercises/merged_documents.h"

namespace k72645 {

namespace {

class Question0517 : public ExerciseFrame {
public:
    using ExerciseFrame::ExerciseFrame;

protected:
    void openMainDocument() override {
        // Nothing is delivered and nothing is opened: the learner creates the database.
    }
    void closeOwnItems() override { closeLeadingMergedDocuments(word(), PassCount::Long); }

    void runChecks(const CheckContext& /*context*/) override {
        // A merge main document is active. Only this read turns a failure, of any kind,
        // into a verdict: with no document open there is nothing to judge.
        std::int32_t type = word::wdNotAMergeDocument;
        try {
            type = mailMerge().mainDocumentType();
        } catch (...) {
            type = word::wdNotAMergeDocument;
        }
        if (type == word::wdNotAMergeDocument) {
            setVerdict(u"E");
            return;
        }
        // Its data source is Adresses.mdb of the working folder, whatever the case.
        if (lcase(mailMerge().dataSource().name()) != lcase(workingFolder() + u"Adresses.mdb")) {
            setVerdict(u"A");
            return;
        }
        // Six fields, two recipients.
        if (vb::cInt(Variant(mailMerge().dataSource().dataFields().count())) != 6) {
            setVerdict(u"B");
            return;
        }
        if (vb::cInt(Variant(mailMerge().dataSource().recordCount())) != 2) {
            setVerdict(u"C");
            return;
        }
        // The field names, all French or all English, in this order.
        using Names = std::array<std::u16string, 6>;
        static const Names french = {u"titre",           u"pr\u00e9nom",     u"nom",
                                     u"adresse_ligne_1", u"adresse_ligne_2", u"cpvil"};
        static const Names english = {u"title",          u"first_name",     u"last_name",
                                      u"address_line_1", u"address_line_2", u"town/city"};
        bool isFrench = true;
        bool isEnglish = true;
        for (std::size_t k = 0; k < french.size(); ++k) {
            const std::u16string name = lcase(mailMerge()
                                                  .dataSource()
                                                  .fieldNames()
                                                  .item(static_cast<std::int32_t>(k + 1))
                                                  .name());
            isFrench = isFrench && name == french[k];
            isEnglish = isEnglish && name == english[k];
        }
        if (!isFrench && !isEnglish)
            setVerdict(u"D");
    }

private:
    word::MailMerge mailMerge() const { return word().activeDocument().mailMerge(); }
};

}  // namespace

const ExerciseDeclaration& declareQuestion0517() {
    static const ExerciseDeclaration declaration{
        .number = 517,
        .className = u"Question0517",
        .title = u"Créer une nouvelle source de données",
        .workingFiles =
            {
                {u"", u"Adresses.mdb"},
            },
        .make = makeExercise<Question0517>,
    };
    return declaration;
}

}  // namespace k72645
