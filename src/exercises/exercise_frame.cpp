#include "exercises/exercise_frame.h"

#include "automation/vb.h"
#include "errors/error_service.h"
#include "exercises/exercise_declaration.h"
#include "files/working_files.h"
#include "files/working_folder.h"

namespace k72645 {

ExerciseFrame::ExerciseFrame(const ExerciseDeclaration& declaration, ExerciseServices services)
    : declaration_(declaration), services_(std::move(services)) {
    for (const WorkingFileDeclaration& file : declaration_.workingFiles)
        workingFiles()->add(file.source, file.dest, file.isTemplate);
    property(u"ComplementInfo", [this](Arguments&) { return Variant(complement_); });
    property(u"FichiersDeTravail", [this](Arguments&) { return Variant(workingFiles()); });
    property(u"PathDossierParDefaut", [this](Arguments&) { return Variant(defaultFolder_); });
    property(u"BravoNuance", [this](Arguments&) { return Variant(successWithRemark_); });
    property(u"CauseErreur", [this](Arguments&) { return Variant(verdict_); });
    method(u"Prepare", [this](Arguments& args) {
        Prepare(args);
        return Variant();
    });
    // The Module passes what it saw during the check as an optional argument: whether the
    // recipients dialog was open. Called without it, the check has seen no dialog.
    method(u"TestePoint", [this](Arguments& args) {
        const Variant& recipientsDialogOpen = argumentAt(args, 0);
        TestePoint({.recipientsDialogOpen =
                        !recipientsDialogOpen.isMissing() && vb::cBool(recipientsDialogOpen)});
        return Variant();
    });
    method(u"Fermer", [this](Arguments&) {
        Fermer();
        return Variant();
    });
}

const std::u16string& ExerciseFrame::className() const {
    return declaration_.className;
}

std::shared_ptr<FichiersDeTravail> ExerciseFrame::workingFiles() {
    if (!files_)
        files_ = FichiersDeTravail::create();
    return files_;
}

void ExerciseFrame::Prepare(Arguments& args) {
    reporting(className(), u"Prepare", [&] {
        const Variant& application = requiredArgument(args, 0);
        DispatchPtr word = application.isObject() ? application.object() : toObject(application);
        const std::u16string folder = vb::cStr(requiredArgument(args, 1));
        const Variant& templates = argumentAt(args, 2);
        // The folders (an omitted template folder is empty) and the Word to work with.
        workingFolder_ = folder;
        templateFolder_ = templates.isMissing() ? std::u16string() : vb::cStr(templates);
        defaultFolder_ = workingFolder_;
        word_ = std::move(word);
        // Then the main document, and what the exercise itself prepares.
        openMainDocument();
        prepareOwnSteps();
    });
}

void ExerciseFrame::openMainDocument() {
    openAndActivate(word(), workingFolder_, mainDocumentName());
}

void ExerciseFrame::TestePoint(const CheckContext& context) {
    reporting(className(), u"TestePoint", [&] {
        // Each check starts on a new complement list and a clear verdict, so that a check whose
        // tests all pass never keeps the code of an earlier one. A check that fails with an
        // error gives no verdict: the previous one, and its complement list, stay.
        std::shared_ptr<ComplementInfo> previousComplement = complement_;
        std::u16string previousVerdict = verdict_;
        try {
            complement_ = ComplementInfo::create();
            verdict_.clear();
            runChecks(context);
        } catch (...) {
            complement_ = std::move(previousComplement);
            verdict_ = std::move(previousVerdict);
            throw;
        }
    });
}

void ExerciseFrame::Fermer() {
    closeOwnItems();
    word_ = nullptr;
    files_ = nullptr;
    complement_ = nullptr;
}

void ExerciseFrame::removeTemplateFolder() {
    // With no folder name the deletion would reach the current folder: delete nothing then.
    if (templateFolder_.empty() || !files_)
        return;
    // Only the exercise's own templates, by their working names: other files of the folder
    // are not the exercise's. The folder itself goes with the Module that made it.
    FileSystem& files = *services_.files;
    for (std::int32_t i = 1; i <= files_->count(); ++i) {
        const Fichier file = files_->item(i);
        if (file.Modele && isPlainFileName(file.NomDest))
            deleteQuietly(files, templateFolder_ + file.NomDest);
    }
}

void openAndActivate(const word::Application& word, const std::u16string& folder,
                     const std::u16string& name) {
    word.documents().open(folder + name);
    word.documents().item(name).activate();
}

void updateFields(const word::Application& word, const std::u16string& name) {
    word.documents().item(name).content().fields().update();
}

void prepareFormLetterWithClients(const word::Application& word,
                                  const std::u16string& workingFolder) {
    updateFields(word, u"Agence.doc");
    word.activeDocument().mailMerge().setMainDocumentType(word::wdFormLetters);
    word.activeDocument().mailMerge().openDataSource(workingFolder + u"Clients.mdb");
}

}  // namespace k72645
