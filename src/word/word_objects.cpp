#include "word/word_objects.h"

#include "automation/vb.h"

namespace k72645::word {

Variant WordObject::read(std::u16string_view member, Arguments args) const {
    return get(object_, member, std::move(args));
}

DispatchPtr WordObject::readObject(std::u16string_view member, Arguments args) const {
    return toObject(read(member, std::move(args)));
}

template <class T>
T WordObject::expecting(DispatchPtr object) {
    object->expectType(typeid(T));
    return T(std::move(object));
}

template <class T>
T WordObject::fetch(std::u16string_view member, Arguments args) const {
    return expecting<T>(readObject(member, std::move(args)));
}

void WordObject::write(std::u16string_view member, Variant value, Arguments index) const {
    put(object_, member, std::move(value), std::move(index));
}

Variant WordObject::run(std::u16string_view member, Arguments args) const {
    return call(object_, member, std::move(args));
}

std::u16string Template::name() const {
    return vb::cStr(read(u"Name"));
}

std::u16string Template::fullName() const {
    return vb::cStr(read(u"FullName"));
}

void Template::setSaved(bool saved) const {
    write(u"Saved", saved);
}
AutoTextEntries Template::autoTextEntries() const {
    return fetch<AutoTextEntries>(u"AutoTextEntries");
}

std::u16string AutoTextEntry::name() const {
    return vb::cStr(read(u"Name"));
}
std::u16string AutoTextEntry::value() const {
    return vb::cStr(read(u"Value"));
}

AutoTextEntry AutoTextEntries::item(const Variant& nameOrIndex) const {
    return fetch<AutoTextEntry>(u"Item", {nameOrIndex});
}

std::u16string MailMergeDataField::value() const {
    return vb::cStr(read(u"Value"));
}

std::int32_t MailMergeDataFields::count() const {
    return vb::cLng(read(u"Count"));
}
MailMergeDataField MailMergeDataFields::item(std::int32_t index) const {
    return fetch<MailMergeDataField>(u"Item", {index});
}

std::u16string MailMergeFieldName::name() const {
    return vb::cStr(read(u"Name"));
}

MailMergeFieldName MailMergeFieldNames::item(std::int32_t index) const {
    return fetch<MailMergeFieldName>(u"Item", {index});
}

std::u16string MailMergeDataSource::name() const {
    return vb::cStr(read(u"Name"));
}
std::u16string MailMergeDataSource::queryString() const {
    return vb::cStr(read(u"QueryString"));
}
std::int32_t MailMergeDataSource::recordCount() const {
    return vb::cLng(read(u"RecordCount"));
}
void MailMergeDataSource::setActiveRecord(std::int32_t record) const {
    write(u"ActiveRecord", record);
}
MailMergeDataFields MailMergeDataSource::dataFields() const {
    return fetch<MailMergeDataFields>(u"DataFields");
}
MailMergeFieldNames MailMergeDataSource::fieldNames() const {
    return fetch<MailMergeFieldNames>(u"FieldNames");
}

std::int32_t MailMerge::mainDocumentType() const {
    return vb::cLng(read(u"MainDocumentType"));
}
void MailMerge::setMainDocumentType(std::int32_t type) const {
    write(u"MainDocumentType", type);
}
void MailMerge::openDataSource(const std::u16string& name) const {
    run(u"OpenDataSource", {name});
}
std::int32_t MailMerge::state() const {
    return vb::cLng(read(u"State"));
}
MailMergeDataSource MailMerge::dataSource() const {
    return fetch<MailMergeDataSource>(u"DataSource");
}

std::int32_t Fields::count() const {
    return vb::cLng(read(u"Count"));
}
void Fields::update() const {
    run(u"Update");
}
Field Fields::item(std::int32_t index) const {
    return fetch<Field>(u"Item", {index});
}

Fields Range::fields() const {
    return fetch<Fields>(u"Fields");
}
std::u16string Range::text() const {
    return vb::cStr(read(u"Text"));
}

Range Field::code() const {
    return fetch<Range>(u"Code");
}

Range Paragraph::range() const {
    return fetch<Range>(u"Range");
}

Range Bookmark::range() const {
    return fetch<Range>(u"Range");
}

bool Bookmarks::exists(const std::u16string& name) const {
    return vb::cBool(run(u"Exists", {name}));
}
Bookmark Bookmarks::item(const std::u16string& name) const {
    return fetch<Bookmark>(u"Item", {name});
}

std::int32_t Paragraphs::count() const {
    return vb::cLng(read(u"Count"));
}
Paragraph Paragraphs::item(std::int32_t index) const {
    return fetch<Paragraph>(u"Item", {index});
}

std::int32_t Sections::count() const {
    return vb::cLng(read(u"Count"));
}

std::u16string Document::name() const {
    return vb::cStr(read(u"Name"));
}
std::u16string Document::fullName() const {
    return vb::cStr(read(u"FullName"));
}
std::u16string Document::path() const {
    return vb::cStr(read(u"Path"));
}
bool Document::hasPassword() const {
    return vb::cBool(read(u"HasPassword"));
}
void Document::activate() const {
    run(u"Activate");
}
void Document::close(const Variant& saveChanges) const {
    run(u"Close", {saveChanges});
}
Range Document::content() const {
    return fetch<Range>(u"Content");
}
Bookmarks Document::bookmarks() const {
    return fetch<Bookmarks>(u"Bookmarks");
}
Paragraphs Document::paragraphs() const {
    return fetch<Paragraphs>(u"Paragraphs");
}
Sections Document::sections() const {
    return fetch<Sections>(u"Sections");
}
Fields Document::fields() const {
    return fetch<Fields>(u"Fields");
}
Application Document::application() const {
    return fetch<Application>(u"Application");
}
MailMerge Document::mailMerge() const {
    return fetch<MailMerge>(u"MailMerge");
}
Template Document::attachedTemplate() const {
    return fetch<Template>(u"AttachedTemplate");
}
void Document::setAttachedTemplate(const std::u16string& fullName) const {
    write(u"AttachedTemplate", fullName);
}
bool Document::showSpellingErrors() const {
    return vb::cBool(read(u"ShowSpellingErrors"));
}
void Document::setShowSpellingErrors(bool value) const {
    write(u"ShowSpellingErrors", value);
}
bool Document::showGrammaticalErrors() const {
    return vb::cBool(read(u"ShowGrammaticalErrors"));
}
void Document::setShowGrammaticalErrors(bool value) const {
    write(u"ShowGrammaticalErrors", value);
}

std::int32_t Documents::count() const {
    return vb::cLng(read(u"Count"));
}
Document Documents::item(const Variant& nameOrIndex) const {
    return fetch<Document>(u"Item", {nameOrIndex});
}
Document Documents::open(const std::u16string& fileName) const {
    return expecting<Document>(toObject(run(u"Open", {fileName})));
}
Document Documents::add() const {
    return expecting<Document>(toObject(run(u"Add")));
}
void Documents::close() const {
    run(u"Close");
}

bool View::showAll() const {
    return vb::cBool(read(u"ShowAll"));
}
void View::setShowAll(bool value) const {
    write(u"ShowAll", value);
}
bool View::showFieldCodes() const {
    return vb::cBool(read(u"ShowFieldCodes"));
}
void View::setShowFieldCodes(bool value) const {
    write(u"ShowFieldCodes", value);
}

View Window::view() const {
    return fetch<View>(u"View");
}
std::u16string Window::caption() const {
    return vb::cStr(read(u"Caption"));
}
void Window::activate() const {
    run(u"Activate");
}
void Window::setWindowState(std::int32_t state) const {
    write(u"WindowState", state);
}
void Window::setDisplayVerticalScrollBar(bool value) const {
    write(u"DisplayVerticalScrollBar", value);
}
void Window::setDisplayScreenTips(bool value) const {
    write(u"DisplayScreenTips", value);
}
void Window::setStyleAreaWidth(std::int32_t width) const {
    write(u"StyleAreaWidth", width);
}

std::int32_t Windows::count() const {
    return vb::cLng(read(u"Count"));
}
Window Windows::item(std::int32_t index) const {
    return fetch<Window>(u"Item", {index});
}

void Selection::goToBookmark(const std::u16string& name) const {
    run(u"GoTo", {wdGoToBookmark, Variant::missing(), Variant::missing(), name});
}

std::u16string Options::defaultFilePath(std::int32_t kind) const {
    return vb::cStr(read(u"DefaultFilePath", {kind}));
}
void Options::setDefaultFilePath(std::int32_t kind, const std::u16string& path) const {
    write(u"DefaultFilePath", path, {kind});
}

bool CommandBar::enabled() const {
    return vb::cBool(read(u"Enabled"));
}
void CommandBar::setEnabled(bool value) const {
    write(u"Enabled", value);
}
bool CommandBar::visible() const {
    return vb::cBool(read(u"Visible"));
}
void CommandBar::setVisible(bool value) const {
    write(u"Visible", value);
}
std::int32_t CommandBar::position() const {
    return vb::cLng(read(u"Position"));
}
void CommandBar::setPosition(std::int32_t position) const {
    write(u"Position", position);
}

CommandBar CommandBars::item(const std::u16string& name) const {
    return fetch<CommandBar>(u"Item", {name});
}
bool CommandBars::displayTooltips() const {
    return vb::cBool(read(u"DisplayTooltips"));
}
void CommandBars::setDisplayTooltips(bool value) const {
    write(u"DisplayTooltips", value);
}

std::u16string AddIn::name() const {
    return vb::cStr(read(u"Name"));
}
void AddIn::remove() const {
    run(u"Delete");
}

std::int32_t AddIns::count() const {
    return vb::cLng(read(u"Count"));
}
AddIn AddIns::item(std::int32_t index) const {
    return fetch<AddIn>(u"Item", {index});
}

Application Application::application() const {
    return fetch<Application>(u"Application");
}
Documents Application::documents() const {
    return fetch<Documents>(u"Documents");
}
Windows Application::windows() const {
    return fetch<Windows>(u"Windows");
}
Document Application::activeDocument() const {
    return fetch<Document>(u"ActiveDocument");
}
Window Application::activeWindow() const {
    return fetch<Window>(u"ActiveWindow");
}
Selection Application::selection() const {
    return fetch<Selection>(u"Selection");
}
Options Application::options() const {
    return fetch<Options>(u"Options");
}
CommandBars Application::commandBars() const {
    return fetch<CommandBars>(u"CommandBars");
}
AddIns Application::addIns() const {
    return fetch<AddIns>(u"AddIns");
}
bool Application::printPreview() const {
    return vb::cBool(read(u"PrintPreview"));
}
void Application::setPrintPreview(bool value) const {
    write(u"PrintPreview", value);
}
void Application::setVisible(bool value) const {
    write(u"Visible", value);
}
void Application::setWindowState(std::int32_t state) const {
    write(u"WindowState", state);
}
void Application::setDisplayStatusBar(bool value) const {
    write(u"DisplayStatusBar", value);
}
Variant Application::showStartupDialog() const {
    return read(u"ShowStartupDialog");
}
void Application::setShowStartupDialog(bool value) const {
    write(u"ShowStartupDialog", value);
}
void Application::changeFileOpenDirectory(const std::u16string& folder) const {
    run(u"ChangeFileOpenDirectory", {folder});
}
void Application::quit(const Variant& saveChanges) const {
    run(u"Quit", {saveChanges});
}

}  // namespace k72645::word
