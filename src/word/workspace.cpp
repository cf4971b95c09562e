#include "word/workspace.h"

#include "automation/vb.h"
#include "errors/error_service.h"
#include "word/word_objects.h"

namespace k72645 {

namespace {
// Each step looks its command bar up afresh, by name.
word::CommandBar commandBar(const WordSession& session, const std::u16string& name) {
    return word::Application(session.application).commandBars().item(name);
}

word::Options options(const WordSession& session) {
    return word::Application(session.application).options();
}
}  // namespace

void SaveParamUser(WordSession& session) {
    session.learnerSettingsRecorded = false;
    reporting(u"Module", u"SaveParamUser", [&] {
        LearnerSettings saved;
        saved.currentFolder = options(session).defaultFilePath(word::wdCurrentFolderPath);
        saved.userTemplatesFolder = options(session).defaultFilePath(word::wdUserTemplatesPath);
        saved.documentsFolder = options(session).defaultFilePath(word::wdDocumentsPath);
        saved.displayTooltips =
            word::Application(session.application).commandBars().displayTooltips() ? vb::kTrue
                                                                                   : vb::kFalse;
        session.learnerSettings = std::move(saved);
        session.learnerSettingsRecorded = true;
    });
}

void RestaureParamUser(WordSession& session) {
    if (!session.learnerSettingsRecorded)
        return;
    reporting(u"Module", u"RestaureParamUser", [&] {
        const LearnerSettings& saved = session.learnerSettings;
        ChangeDir(session, saved.currentFolder);
        options(session).setDefaultFilePath(word::wdDocumentsPath, saved.documentsFolder);
        options(session).setDefaultFilePath(word::wdUserTemplatesPath, saved.userTemplatesFolder);
        word::Application(session.application)
            .commandBars()
            .setDisplayTooltips(saved.displayTooltips != 0);
    });
}

void ChangeDir(WordSession& session, const std::u16string& folder) {
    reporting(u"Module", u"ChangeDir", [&] {
        word::Application(session.application).application().changeFileOpenDirectory(folder);
    });
}

void InitCommandBar(WordSession& session) {
    reporting(u"Module", u"InitCommandBar", [&] {
        // Hiding a bar before moving it and showing it again docks it at the top even when the
        // learner had made it float.
        for (const std::u16string name : {u"standard", u"formatting"}) {
            commandBar(session, name).setEnabled(true);
            commandBar(session, name).setVisible(false);
            commandBar(session, name).setPosition(word::msoBarTop);
            commandBar(session, name).setVisible(true);
        }
        // A visible Drawing bar goes to the bottom; a hidden one stays hidden, and one already
        // at the bottom is left alone.
        commandBar(session, u"Drawing").setEnabled(true);
        const bool drawingVisible = commandBar(session, u"Drawing").visible();
        const std::int32_t drawingPosition = commandBar(session, u"Drawing").position();
        if (drawingVisible && drawingPosition != word::msoBarBottom) {
            commandBar(session, u"Drawing").setVisible(false);
            commandBar(session, u"Drawing").setPosition(word::msoBarBottom);
            commandBar(session, u"Drawing").setVisible(true);
        }
        // The task pane, when available, goes to the right in the state the learner last left.
        if (commandBar(session, u"Task Pane").enabled()) {
            commandBar(session, u"Task Pane").setPosition(word::msoBarRight);
            commandBar(session, u"Task Pane").setVisible(session.savedTaskPaneState != 0);
        }
    });
}

}  // namespace k72645
