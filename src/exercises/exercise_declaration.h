// What the rest of the component knows of an exercise, declared next to its class: its number,
// class name and title, its working files, which of the Module's document pre-checks apply to
// it, how an open recipients dialog is met, and its COM class identity when the type library
// publishes the class. Each exercise file question_NNNN.cpp defines declareQuestionNNNN(); the
// build lists those functions, so the catalog, the factory, the Module and the COM class list
// all read the same declarations.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "exercises/exercise_frame.h"

namespace k72645 {

// A file copied from the course folder into the working folder (or, when isTemplate is true, into
// the template folder) under the name dest.
struct WorkingFileDeclaration {
    std::u16string source = {};
    std::u16string dest = {};
    bool isTemplate = false;
};

// The Module's pre-checks of the exercise's documents, run in this order before the
// exercise's own check; the first that fails gives its code. The working document is the
// first working file. An exercise with none of them set is not pre-checked at all.
struct DocumentChecks {
    bool workingDocumentOpen = false;            // "C": the working document is open in Word
    bool workingDocumentActive = false;          // "A": it is the active document
    bool paragraphCount = false;                 // "B": the paragraph count InitQuestion recorded
    std::vector<std::u16string> bookmarks = {};  // "D": bookmarks the active document must hold
    bool mainDocument = false;  // "D": the active document is a mail-merge main document

    bool any() const {
        return workingDocumentOpen || workingDocumentActive || paragraphCount ||
               !bookmarks.empty() || mainDocument;
    }
};

// How the check meets Word's mail-merge recipients dialog found open over Word.
enum class RecipientsDialogPolicy {
    Blocking,        // like any other dialog: the check stops with "%AL"
    CloseIt,         // the dialog is closed and the check goes on
    KeepItAndCheck,  // the dialog stays open; the probe and pre-checks are skipped
};

struct ExerciseDeclaration {
    using Maker = std::shared_ptr<ExerciseFrame> (*)(const ExerciseDeclaration&, ExerciseServices);

    std::int32_t number = 0;
    std::u16string className = {};  // "Question0501"...
    std::u16string title = {};      // what the learner is taught, in French
    std::vector<WorkingFileDeclaration> workingFiles = {};
    DocumentChecks documentChecks = {};
    RecipientsDialogPolicy recipientsDialog = RecipientsDialogPolicy::Blocking;
    // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" for the classes of the type library; empty for
    // the classes private to the component.
    std::u16string classId = {};
    Maker make = nullptr;
};

// The maker of an exercise class whose constructor takes its declaration and the services.
template <class Exercise>
std::shared_ptr<ExerciseFrame> makeExercise(const ExerciseDeclaration& declaration,
                                            ExerciseServices services) {
    return std::make_shared<Exercise>(declaration, std::move(services));
}

}  // namespace k72645
