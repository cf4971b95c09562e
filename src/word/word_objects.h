// The typed layer over Word's object model. Each wrapper holds the Word object it stands for
// and every member is one late-bound call by name, so a chain such as
// app.activeDocument().mailMerge().mainDocumentType() reads Word in exactly the order written.
// A wrapper over no object raises error 91 on its first call, as VB does.
#pragma once

#include <cstdint>
#include <string>

#include "automation/dispatch.h"

namespace k72645::word {

// Word's values that the component passes or compares.
inline constexpr std::int32_t wdDoNotSaveChanges = 0;
inline constexpr std::int32_t wdSaveChanges = -1;
inline constexpr std::int32_t wdNotAMergeDocument = -1;
inline constexpr std::int32_t wdFormLetters = 0;
inline constexpr std::int32_t wdMailingLabels = 1;
inline constexpr std::int32_t wdGoToBookmark = -1;
inline constexpr std::int32_t wdWindowStateMaximize = 1;
inline constexpr std::int32_t wdDocumentsPath = 0;
inline constexpr std::int32_t wdUserTemplatesPath = 2;
inline constexpr std::int32_t wdCurrentFolderPath = 14;
inline constexpr std::int32_t msoBarTop = 1;
inline constexpr std::int32_t msoBarRight = 2;
inline constexpr std::int32_t msoBarBottom = 3;
inline constexpr std::int32_t wdFirstDataSourceRecord = -6;
inline constexpr std::int32_t wdLastDataSourceRecord = -7;
inline constexpr std::int32_t wdNextDataSourceRecord = -8;
inline constexpr std::int32_t wdPreviousDataSourceRecord = -9;

class WordObject {
public:
    explicit WordObject(DispatchPtr object) : object_(std::move(object)) {}
    const DispatchPtr& object() const { return object_; }

protected:
    Variant read(std::u16string_view member, Arguments args = {}) const;
    DispatchPtr readObject(std::u16string_view member, Arguments args = {}) const;
    // The object a member returns, of the type the member is known to return: the object is
    // told so, and binds its member names by that type without asking Word for it.
    template <class T>
    T fetch(std::u16string_view member, Arguments args = {}) const;
    template <class T>
    static T expecting(DispatchPtr object);
    void write(std::u16string_view member, Variant value, Arguments index = {}) const;
    Variant run(std::u16string_view member, Arguments args = {}) const;

private:
    DispatchPtr object_;
};

// An AutoText entry of a template, and their collection. The entries' count is read by name
// (through object()), as each exercise converts it.
class AutoTextEntry : public WordObject {
public:
    using WordObject::WordObject;
    std::u16string name() const;
    std::u16string value() const;
};

class AutoTextEntries : public WordObject {
public:
    using WordObject::WordObject;
    // By position (passed as given: an Integer stays one) or by name.
    AutoTextEntry item(const Variant& nameOrIndex) const;
};

class Template : public WordObject {
public:
    using WordObject::WordObject;
    std::u16string name() const;
    std::u16string fullName() const;
    // True: Word takes the template as unchanged and does not offer to save it.
    void setSaved(bool saved) const;
    AutoTextEntries autoTextEntries() const;
};

// A field of the data source's active record, and their collection.
class MailMergeDataField : public WordObject {
public:
    using WordObject::WordObject;
    std::u16string value() const;
};

class MailMergeDataFields : public WordObject {
public:
    using WordObject::WordObject;
    std::int32_t count() const;
    MailMergeDataField item(std::int32_t index) const;
};

class MailMergeFieldName : public WordObject {
public:
    using WordObject::WordObject;
    std::u16string name() const;
};

class MailMergeFieldNames : public WordObject {
public:
    using WordObject::WordObject;
    MailMergeFieldName item(std::int32_t index) const;
};

class MailMergeDataSource : public WordObject {
public:
    using WordObject::WordObject;
    // The data source's file name as it was given when attached ("" when there is none).
    std::u16string name() const;
    std::u16string queryString() const;
    std::int32_t recordCount() const;
    // A position from 1, or a move: wdFirstDataSourceRecord ... wdPreviousDataSourceRecord.
    void setActiveRecord(std::int32_t record) const;
    MailMergeDataFields dataFields() const;
    MailMergeFieldNames fieldNames() const;
};

class MailMerge : public WordObject {
public:
    using WordObject::WordObject;
    std::int32_t mainDocumentType() const;
    void setMainDocumentType(std::int32_t type) const;
    // OpenDataSource with its Name given and every other argument omitted.
    void openDataSource(const std::u16string& name) const;
    std::int32_t state() const;
    MailMergeDataSource dataSource() const;
};

class Field;

class Fields : public WordObject {
public:
    using WordObject::WordObject;
    std::int32_t count() const;
    void update() const;  // the index it returns is not used
    Field item(std::int32_t index) const;
};

class Range : public WordObject {
public:
    using WordObject::WordObject;
    Fields fields() const;
    std::u16string text() const;
};

class Field : public WordObject {
public:
    using WordObject::WordObject;
    Range code() const;
};

class Paragraph : public WordObject {
public:
    using WordObject::WordObject;
    Range range() const;
};

class Bookmark : public WordObject {
public:
    using WordObject::WordObject;
    Range range() const;
};

class Bookmarks : public WordObject {
public:
    using WordObject::WordObject;
    bool exists(const std::u16string& name) const;
    Bookmark item(const std::u16string& name) const;
};

class Paragraphs : public WordObject {
public:
    using WordObject::WordObject;
    std::int32_t count() const;
    Paragraph item(std::int32_t index) const;
};

class Sections : public WordObject {
public:
    using WordObject::WordObject;
    std::int32_t count() const;
};

class Application;

class Document : public WordObject {
public:
    using WordObject::WordObject;
    std::u16string name() const;
    std::u16string fullName() const;
    std::u16string path() const;
    bool hasPassword() const;
    void activate() const;
    // Close with SaveChanges given, the other two arguments omitted.
    void close(const Variant& saveChanges) const;
    Range content() const;
    Bookmarks bookmarks() const;
    Paragraphs paragraphs() const;
    Sections sections() const;
    Application application() const;
    Fields fields() const;
    MailMerge mailMerge() const;
    Template attachedTemplate() const;
    // A template's full file name; "" gives the document the standard template back.
    void setAttachedTemplate(const std::u16string& fullName) const;
    bool showSpellingErrors() const;
    void setShowSpellingErrors(bool value) const;
    bool showGrammaticalErrors() const;
    void setShowGrammaticalErrors(bool value) const;
};

class Documents : public WordObject {
public:
    using WordObject::WordObject;
    std::int32_t count() const;
    Document item(const Variant& nameOrIndex) const;
    // Open with the file name only.
    Document open(const std::u16string& fileName) const;
    Document add() const;  // every argument omitted: a new blank document
    void close() const;    // every argument omitted
};

class View : public WordObject {
public:
    using WordObject::WordObject;
    bool showAll() const;
    void setShowAll(bool value) const;
    bool showFieldCodes() const;
    void setShowFieldCodes(bool value) const;
};

class Window : public WordObject {
public:
    using WordObject::WordObject;
    View view() const;
    std::u16string caption() const;
    void activate() const;
    void setWindowState(std::int32_t state) const;
    void setDisplayVerticalScrollBar(bool value) const;
    void setDisplayScreenTips(bool value) const;
    void setStyleAreaWidth(std::int32_t width) const;
};

class Windows : public WordObject {
public:
    using WordObject::WordObject;
    std::int32_t count() const;
    Window item(std::int32_t index) const;
};

class Selection : public WordObject {
public:
    using WordObject::WordObject;
    // GoTo What:=-1 (a bookmark), Which and Count omitted, Name given.
    void goToBookmark(const std::u16string& name) const;
};

class Options : public WordObject {
public:
    using WordObject::WordObject;
    std::u16string defaultFilePath(std::int32_t kind) const;
    void setDefaultFilePath(std::int32_t kind, const std::u16string& path) const;
};

class CommandBar : public WordObject {
public:
    using WordObject::WordObject;
    bool enabled() const;
    void setEnabled(bool value) const;
    bool visible() const;
    void setVisible(bool value) const;
    std::int32_t position() const;
    void setPosition(std::int32_t position) const;
};

class CommandBars : public WordObject {
public:
    using WordObject::WordObject;
    CommandBar item(const std::u16string& name) const;
    bool displayTooltips() const;
    void setDisplayTooltips(bool value) const;
};

class AddIn : public WordObject {
public:
    using WordObject::WordObject;
    std::u16string name() const;
    void remove() const;  // Word's Delete
};

class AddIns : public WordObject {
public:
    using WordObject::WordObject;
    std::int32_t count() const;
    AddIn item(std::int32_t index) const;
};

class Application : public WordObject {
public:
    using WordObject::WordObject;
    Application application() const;
    Documents documents() const;
    Windows windows() const;
    Document activeDocument() const;
    Window activeWindow() const;
    Selection selection() const;
    Options options() const;
    CommandBars commandBars() const;
    AddIns addIns() const;
    bool printPreview() const;
    void setPrintPreview(bool value) const;
    void setVisible(bool value) const;
    void setWindowState(std::int32_t state) const;
    void setDisplayStatusBar(bool value) const;
    Variant showStartupDialog() const;
    void setShowStartupDialog(bool value) const;
    void changeFileOpenDirectory(const std::u16string& folder) const;
    // Quit with SaveChanges given, the other two arguments omitted.
    void quit(const Variant& saveChanges) const;
};

}  // namespace k72645::word
