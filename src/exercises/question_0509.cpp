// Exercise 509: showing the list of recipients. The learner asks for the correction with Word's
// mail-merge recipients dialog open over the letter; the Module tells the check so through
// DestinatairesOuvert.
#include "automation/text.h"
#include "automation/vb.h"
#include "exercises/component_globals.h"
#include "exercises/questions.h"

namespace k72645 {

namespace {

class Question0509 : public ExerciseFrame {
public:
    explicit Question0509(ExerciseServices services)
        : ExerciseFrame(u"Question0509", std::move(services)) {
        addWorkingFile(u"07264509.doc", u"Agence.doc", false);
        addWorkingFile(u"07264509.mdb", u"Clients.mdb", false);
    }

protected:
    void prepareOwnSteps() override {
        prepareFormLetterWithClients(word(), workingFolder());
        // A new exercise starts with the recipients dialog not seen.
        setDestinatairesOuvert(false);
    }

    void runChecks() override {
        // The flag tells about this check only: it is cleared as soon as it has been taken, so
        // that a later check made with the dialog closed does not pass on an old sighting.
        const bool recipientsShown = DestinatairesOuvert();
        setDestinatairesOuvert(false);

        if (isDatabaseOpenAsDocument()) {
            setVerdict(u"A");
            return;
        }
        if (!recipientsShown) {
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

std::shared_ptr<ExerciseFrame> makeQuestion0509(ExerciseServices services) {
    return std::make_shared<Question0509>(std::move(services));
}

}  // namespace k72645
