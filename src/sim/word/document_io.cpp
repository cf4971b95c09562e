#include "sim/word/document_io.h"

#include <nlohmann/json.hpp>

#include "sim/word/document_file.h"
#include "sim/word/file_writes.h"
#include "sim/word/word_errors.h"
#include "sim/word/word_paths.h"

namespace k72645::sim {

namespace {

bool holdsDatabase(const std::string& bytes) {
    const auto json = nlohmann::json::parse(bytes, nullptr, false);
    if (!json.is_object())
        return false;
    auto kind = json.find("k72645");
    return kind != json.end() && kind->is_string() && kind->get<std::string>() == "database";
}

// Field characters in a value would make the text a field: they show as spaces.
std::u16string plainValue(std::u16string value) {
    for (char16_t& c : value) {
        if (c == kFieldBegin || c == kFieldSeparator || c == kFieldEnd)
            c = u' ';
    }
    return value;
}

std::shared_ptr<DocumentModel> loadDatabaseDocument(WordResources& resources,
                                                    const std::u16string& fullName) {
    auto database = resources.databaseAt(fullName);
    auto document = std::make_shared<DocumentModel>(fullName, DocumentOrigin::Database);
    document->setFile(fullName, DocumentOrigin::Database);
    document->setStory(databaseStory(*database));
    return document;
}

void attachTemplateOf(WordResources& resources, DocumentModel& document,
                      const std::u16string& attached) {
    if (attached.empty())
        return;
    try {
        document.attachTemplate(resources.templateAt(attached));
    } catch (const ComError&) {
        // A template that has gone: Word falls back to Normal.dot.
    }
}

void attachMergeOf(WordResources& resources, DocumentModel& document,
                   const MergeFileSettings& settings) {
    MergeSettings& merge = document.merge();
    merge.mainDocumentType = settings.mainDocumentType;
    merge.headerSource = settings.headerSource;
    if (settings.dataSource.empty())
        return;
    try {
        std::u16string fullName = settings.dataSource;
        if (!isAbsolutePath(fullName))
            fullName = joinPath(document.path(), fullName);
        merge.dataSource = resources.attachDataSource(fullName, fullName);
        if (!settings.query.empty())
            merge.dataSource->setQueryString(settings.query);
    } catch (const ComError&) {
        // A data source that cannot be opened leaves a main document without one (Word asks
        // the user to find it; the simulator does not).
        merge.dataSource.reset();
    }
}

std::optional<Database> databaseFromStory(const Story& story, const Database& previous) {
    Database database;
    database.table = previous.table;
    std::vector<std::u16string> line(1);
    std::vector<std::vector<std::u16string>> lines;
    const std::u16string& text = story.characters();
    for (char16_t c : text) {
        if (c == kParagraphMark) {
            lines.push_back(std::move(line));
            line.assign(1, {});
        } else if (c == u'\t') {
            line.emplace_back();
        } else {
            line.back() += c;
        }
    }
    if (lines.empty())
        return std::nullopt;
    database.fields = std::move(lines.front());
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].size() == 1 && lines[i][0].empty())
            continue;  // an empty paragraph holds no record
        if (lines[i].size() != database.fields.size())
            return std::nullopt;
        database.records.push_back(std::move(lines[i]));
    }
    return database;
}

DocumentFile fileOf(const DocumentModel& document) {
    DocumentFile file;
    file.story = document.story();
    if (document.attachedTemplate())
        file.attachedTemplate = document.attachedTemplate()->fullName();
    file.hasPassword = document.hasPassword;
    const MergeSettings& merge = document.merge();
    file.mailMerge.mainDocumentType = merge.mainDocumentType;
    file.mailMerge.headerSource = merge.headerSource;
    if (merge.dataSource) {
        file.mailMerge.dataSource = merge.dataSource->name();
        file.mailMerge.query = merge.dataSource->queryString();
    }
    return file;
}

}  // namespace

Story databaseStory(const Database& database) {
    std::u16string text;
    auto addLine = [&text](const std::vector<std::u16string>& values) {
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i > 0)
                text += u'\t';
            text += plainValue(values[i]);
        }
        text += kParagraphMark;
    };
    addLine(database.fields);
    for (const auto& record : database.records)
        addLine(record);
    return Story(ParsedMarkup{text, {}});
}

std::shared_ptr<DocumentModel> loadDocument(WordResources& resources,
                                            const std::u16string& fullName) {
    FileSystem& files = resources.files();
    if (!files.fileExists(fullName))
        throw word_errors::fileNotFound(fullName);
    const std::string bytes = files.readFile(fullName);
    if (holdsDatabase(bytes))
        return loadDatabaseDocument(resources, fullName);

    DocumentFile file = parseDocumentFile(bytes, fileNameOf(fullName));
    const bool isTemplate = file.kind == DocumentFile::Kind::Template;
    const DocumentOrigin origin = isTemplate ? DocumentOrigin::Template : DocumentOrigin::Document;
    auto document = std::make_shared<DocumentModel>(fullName, origin);
    document->setFile(fullName, origin);
    if (isTemplate) {
        document->attachTemplate(resources.templateOpened(fullName, file));
    } else {
        attachTemplateOf(resources, *document, file.attachedTemplate);
    }
    attachMergeOf(resources, *document, file.mailMerge);
    document->setStory(std::move(file.story));
    document->hasPassword = file.hasPassword;
    document->setSaved(true);
    return document;
}

void saveDocument(WordResources& resources, DocumentModel& document) {
    if (document.saved())
        return;
    switch (document.origin()) {
        case DocumentOrigin::New:
        case DocumentOrigin::Merged:
            throw word_errors::commandFailed();
        case DocumentOrigin::Database: {
            auto database = resources.databaseAt(document.fullName());
            auto content = databaseFromStory(document.story(), *database);
            if (!content)
                throw word_errors::commandFailed();
            resources.replaceDatabase(document.fullName(), std::move(*content));
            break;
        }
        case DocumentOrigin::Template: {
            DocumentFile file = fileOf(document);
            file.kind = DocumentFile::Kind::Template;
            file.attachedTemplate.clear();
            // The template the file stands for, whatever template the document now uses.
            auto model = resources.templateAt(document.fullName());
            file.autoText = model->autoText();
            writeFileAdvancingTime(resources.files(), document.fullName(),
                                   serializeDocumentFile(file));
            model->storySaved(document.story());
            break;
        }
        case DocumentOrigin::Document:
            writeFileAdvancingTime(resources.files(), document.fullName(),
                                   serializeDocumentFile(fileOf(document)));
            break;
    }
    document.setSaved(true);
}

}  // namespace k72645::sim
