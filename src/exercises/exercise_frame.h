// The frame every exercise class shares: its members reached by name (ComplementInfo,
// FichiersDeTravail, PathDossierParDefaut, BravoNuance, CauseErreur, Prepare, TestePoint,
// Fermer), its state, and the common steps of Prepare, TestePoint and Fermer. Each exercise
// class adds its own Prepare steps, its checks and its closing rule; its working files come from
// its declaration.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "automation/automation_object.h"
#include "files/file_lists.h"
#include "platform/platform.h"
#include "word/word_objects.h"

namespace k72645 {

struct ExerciseDeclaration;

// What the Module saw during this check, handed to the exercise's own check.
struct CheckContext {
    // Word's mail-merge recipients dialog was open over Word when the check began.
    bool recipientsDialogOpen = false;
};

// What exercises reach besides Word: files (dates, template folder), sleeping, and the
// automation runtime (Word's global object).
struct ExerciseServices {
    std::shared_ptr<FileSystem> files;
    std::shared_ptr<Sleeper> sleeper;
    std::shared_ptr<ApplicationRuntime> runtime;
};

class ExerciseFrame : public AutomationObject {
public:
    // The working files are those of the declaration, in its order. Exercise classes take this
    // constructor as their own.
    ExerciseFrame(const ExerciseDeclaration& declaration, ExerciseServices services);

    const std::u16string& className() const;
    const std::u16string& verdict() const { return verdict_; }

protected:
    // Prepare opens the main document once the folders and Word are taken: by default from the
    // working folder, then activated. Overridden by the exercises that open otherwise, or
    // nothing.
    virtual void openMainDocument();
    // The main document's name ("Agence.doc"...), opened by the default openMainDocument.
    virtual std::u16string mainDocumentName() const { return u"Agence.doc"; }
    // What Prepare does for this exercise once the main document is open.
    virtual void prepareOwnSteps() {}
    // The exercise's tests, run by TestePoint on a fresh complement list and a clear verdict.
    // A test that fails sets the verdict and no later test runs. When they raise, the verdict
    // and the complement list of the previous check are given back.
    virtual void runChecks(const CheckContext& /*context*/) {}
    // What Fermer closes first: 501 to 505 remove the template folder; 508, 515, 517 and 518 close
    // the merged documents. Errors never leave it.
    virtual void closeOwnItems() {}

    // Fermer's cleaning for the exercises with a template folder: the exercise's own templates
    // in it, by working name, errors ignored. An empty folder name deletes nothing.
    void removeTemplateFolder();

    // Reads through Word's global object. A global object whose Word has gone (462) is
    // dropped and the read made once more through a new one, which reaches the Word running
    // now.
    template <typename Read>
    auto readThroughWordGlobal(Read read) const {
        ApplicationRuntime& runtime = *services_.runtime;
        try {
            return read(word::Application(runtime.wordGlobal()));
        } catch (const ComError& error) {
            if (error.number() != errors::kServerUnavailable)
                throw;
            runtime.forgetWordGlobal();
            return read(word::Application(runtime.wordGlobal()));
        }
    }

    word::Application word() const { return word::Application(word_); }
    const DispatchPtr& wordObject() const { return word_; }
    const std::u16string& workingFolder() const { return workingFolder_; }
    const std::u16string& templateFolder() const { return templateFolder_; }
    const ExerciseServices& services() const { return services_; }
    void setVerdict(std::u16string code) { verdict_ = std::move(code); }
    ComplementInfo& complement() const { return *complement_; }

private:
    void Prepare(Arguments& args);
    void TestePoint(const CheckContext& context);
    void Fermer();
    std::shared_ptr<FichiersDeTravail> workingFiles();

    const ExerciseDeclaration& declaration_;
    ExerciseServices services_;
    DispatchPtr word_;
    std::shared_ptr<FichiersDeTravail> files_;
    std::u16string verdict_;
    bool successWithRemark_ = false;
    std::u16string workingFolder_;
    std::u16string templateFolder_;
    std::u16string defaultFolder_;
    std::shared_ptr<ComplementInfo> complement_;
};

// Opens a document of the working folder and activates it by its bare name.
void openAndActivate(const word::Application& word, const std::u16string& folder,
                     const std::u16string& name);
// Documents.Item(name).Content.Fields.Update: every field of the main story is updated.
void updateFields(const word::Application& word, const std::u16string& name);
// The merge exercises' own Prepare steps: the letter's fields updated, the active document made
// a form-letter main document, and the working folder's Clients.mdb attached as its data source.
void prepareFormLetterWithClients(const word::Application& word,
                                  const std::u16string& workingFolder);

}  // namespace k72645
