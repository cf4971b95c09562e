#include "sim/word/word_resources.h"

#include "sim/word/file_writes.h"
#include "sim/word/word_errors.h"
#include "sim/word/word_paths.h"

namespace k72645::sim {

WordResources::WordResources(std::shared_ptr<FileSystem> files,
                             std::shared_ptr<UserSettings> settings)
    : files_(std::move(files)), settings_(std::move(settings)) {}

std::shared_ptr<TemplateModel> WordResources::normalTemplate() {
    const std::u16string fullName = settings_->normalTemplatePath();
    auto& cached = templates_[pathKey(fullName)];
    if (cached)
        return cached;
    DocumentFile file;
    file.kind = DocumentFile::Kind::Template;
    if (files_->fileExists(fullName))
        file = parseDocumentFile(files_->readFile(fullName), fileNameOf(fullName));
    cached = std::make_shared<TemplateModel>(fullName, std::move(file));
    return cached;
}

std::shared_ptr<TemplateModel> WordResources::templateAt(const std::u16string& fullName) {
    if (pathKey(fullName) == pathKey(settings_->normalTemplatePath()))
        return normalTemplate();
    auto it = templates_.find(pathKey(fullName));
    if (it != templates_.end())
        return it->second;
    if (!files_->fileExists(fullName))
        throw word_errors::templateNotFound(fullName);
    DocumentFile file = parseDocumentFile(files_->readFile(fullName), fileNameOf(fullName));
    auto model = std::make_shared<TemplateModel>(fullName, std::move(file));
    templates_[pathKey(fullName)] = model;
    return model;
}

std::shared_ptr<TemplateModel> WordResources::templateOpened(const std::u16string& fullName,
                                                             const DocumentFile& file) {
    auto& cached = templates_[pathKey(fullName)];
    if (!cached)
        cached = std::make_shared<TemplateModel>(fullName, file);
    return cached;
}

void WordResources::saveTemplate(TemplateModel& model) {
    writeFileAdvancingTime(*files_, model.fullName(), serializeDocumentFile(model.fileContent()));
    model.setSaved(true);
}

void WordResources::forgetTemplate(const TemplateModel& model) {
    auto it = templates_.find(pathKey(model.fullName()));
    if (it != templates_.end() && it->second.get() == &model)
        templates_.erase(it);
}

std::shared_ptr<Database> WordResources::databaseAt(const std::u16string& fullName) {
    auto it = databases_.find(pathKey(fullName));
    if (it != databases_.end())
        return it->second;
    if (!files_->fileExists(fullName))
        throw word_errors::fileNotFound(fullName);
    auto database =
        std::make_shared<Database>(parseDatabase(files_->readFile(fullName), fileNameOf(fullName)));
    databases_[pathKey(fullName)] = database;
    return database;
}

std::shared_ptr<DataSource> WordResources::attachDataSource(const std::u16string& name,
                                                            const std::u16string& fullName) {
    auto source = std::make_shared<DataSource>(name, databaseAt(fullName));
    std::weak_ptr<FileSystem> files = files_;
    source->onWrite([files, fullName](const Database& database) {
        if (auto fs = files.lock())
            writeFileAdvancingTime(*fs, fullName, serializeDatabase(database));
    });
    return source;
}

std::shared_ptr<DataSource> WordResources::createDataSource(const std::u16string& name,
                                                            const std::u16string& fullName,
                                                            std::vector<std::u16string> fields) {
    Database database;
    database.table = baseNameOf(fullName);
    database.fields = std::move(fields);
    writeDatabase(fullName, database);
    auto& cached = databases_[pathKey(fullName)];
    if (cached) {
        // Sources already attached to that file see the new content.
        database.revision = cached->revision + 1;
        *cached = std::move(database);
    } else {
        cached = std::make_shared<Database>(std::move(database));
    }
    return attachDataSource(name, fullName);
}

void WordResources::replaceDatabase(const std::u16string& fullName, Database content) {
    writeDatabase(fullName, content);
    auto it = databases_.find(pathKey(fullName));
    if (it != databases_.end()) {
        content.revision = it->second->revision + 1;
        *it->second = std::move(content);
    }
}

void WordResources::writeDatabase(const std::u16string& fullName, const Database& database) {
    writeFileAdvancingTime(*files_, fullName, serializeDatabase(database));
}

}  // namespace k72645::sim
