// Word's Application object.
#include "automation/vb.h"
#include "sim/word/word_automation.h"
#include "sim/word/word_errors.h"
#include "sim/word/word_object.h"

namespace k72645::sim {

namespace {

class ApplicationObject : public WordObject {
public:
    explicit ApplicationObject(WordPtr instance) : WordObject(std::move(instance)) {
        readOnly(u"Application", [this] { return makeApplication(wordPtr()); });
        readOnly(u"Name", [] { return Variant(u"Microsoft Word"); });
        readOnly(u"Version", [] { return Variant(u"11.0"); });
        readOnly(u"Documents", [this] { return makeDocuments(wordPtr()); });
        readOnly(u"Windows", [this] { return makeWindows(wordPtr()); });
        readOnly(u"ActiveDocument",
                 [this] { return makeDocument(wordPtr(), word().requireActiveDocument()); });
        readOnly(u"ActiveWindow",
                 [this] { return makeWindow(wordPtr(), word().requireActiveDocument()); });
        readOnly(u"Selection", [this] { return makeSelection(wordPtr()); });
        readOnly(u"Options", [this] { return makeOptions(wordPtr()); });
        readOnly(u"CommandBars", [this] { return makeCommandBars(wordPtr()); });
        readOnly(u"AddIns", [this] { return makeAddIns(wordPtr()); });
        readOnly(u"NormalTemplate",
                 [this] { return makeTemplate(wordPtr(), word().resources().normalTemplate()); });
        readWrite(
            u"Visible", [this] { return wordBool(word().visible()); },
            [this](const Variant& v) { word().setVisible(vb::cBool(v)); });
        readWrite(
            u"WindowState", [this] { return Variant(word().windowState()); },
            [this](const Variant& v) { word().setWindowState(vb::cLng(v)); });
        readWrite(
            u"ShowWindowsInTaskbar", [this] { return wordBool(word().showWindowsInTaskbar()); },
            [this](const Variant& v) { word().setShowWindowsInTaskbar(vb::cBool(v)); });
        readWrite(
            u"DisplayStatusBar", [this] { return wordBool(word().displayStatusBar); },
            [this](const Variant& v) { word().displayStatusBar = vb::cBool(v); });
        readWrite(
            u"ShowStartupDialog", [this] { return wordBool(word().settings().showStartupDialog); },
            [this](const Variant& v) { word().settings().showStartupDialog = vb::cBool(v); });
        readWrite(
            u"PrintPreview", [this] { return wordBool(word().printPreview); },
            [this](const Variant& v) { word().printPreview = vb::cBool(v); });
        readOnly(u"Edition",
                 [this] { return Variant(word().edition() == Edition::English ? u"en" : u"fr"); });
        method(u"ChangeFileOpenDirectory", [this](Arguments& args) {
            word().changeCurrentFolder(vb::cStr(requiredArgument(args, 0)));
            return Variant();
        });
        method(u"Quit", [this](Arguments& args) {
            word().quit(saveChoiceOf(optionalLong(args, 0, kPromptToSaveChanges)));
            return Variant();
        });
        method(u"ShowDialog", [this](Arguments& args) {
            const std::u16string title = vb::cStr(requiredArgument(args, 0));
            return Variant(word().windows().showDialog(title, optionalBool(args, 1, false)));
        });
        method(u"ShowAssistantBalloon",
               [this](Arguments&) { return Variant(word().windows().showAssistantBalloon()); });
        defaultMember(u"Name");
    }

    const void* identity() const override { return &word(); }
};

}  // namespace

DispatchPtr makeApplication(WordPtr word) {
    return std::make_shared<ApplicationObject>(std::move(word));
}

}  // namespace k72645::sim
