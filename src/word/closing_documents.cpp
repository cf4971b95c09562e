#include "word/closing_documents.h"

#include <algorithm>

#include "automation/text.h"
#include "errors/error_service.h"

namespace k72645 {

namespace {

// The folder part of a full file name, with its final separator.
std::u16string folderOf(const std::u16string& fullName) {
    const std::size_t separator = fullName.find_last_of(u"\\/");
    return separator == std::u16string::npos ? std::u16string() : fullName.substr(0, separator + 1);
}

template <typename Action>
void forEachDocument(const word::Application& app, Action action) {
    std::int32_t count = 0;
    ignoringErrors([&] { count = app.documents().count(); });
    for (std::int32_t i = 1; i <= count; ++i)
        ignoringErrors([&] { action(app.documents().item(i)); });
}

}  // namespace

void forgetTemplateChangesIn(const word::Application& app, const std::u16string& templateFolder) {
    if (templateFolder.empty())
        return;
    const std::u16string folder = lcase(templateFolder);
    forEachDocument(app, [&](const word::Document& document) {
        const word::Template attached = document.attachedTemplate();
        if (lcase(folderOf(attached.fullName())) == folder)
            attached.setSaved(true);
    });
}

void detachMainDocuments(const word::Application& app,
                         const std::vector<std::u16string>& fullNames) {
    std::vector<std::u16string> wanted;
    for (const std::u16string& name : fullNames)
        wanted.push_back(lcase(name));
    forEachDocument(app, [&](const word::Document& document) {
        if (std::find(wanted.begin(), wanted.end(), lcase(document.fullName())) == wanted.end())
            return;
        const word::MailMerge merge = document.mailMerge();
        if (merge.mainDocumentType() != word::wdNotAMergeDocument)
            merge.setMainDocumentType(word::wdNotAMergeDocument);
    });
}

}  // namespace k72645
