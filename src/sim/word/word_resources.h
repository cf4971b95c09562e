// The files one Word holds loaded: templates (loaded once, shared by every document attached to
// them) and databases (loaded once per file, shared by every data source attached to them;
// their changes are written to the file at once).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "sim/data/data_source.h"
#include "sim/data/database.h"
#include "sim/word/template_model.h"
#include "sim/word/user_settings.h"

namespace k72645::sim {

class WordResources {
public:
    WordResources(std::shared_ptr<FileSystem> files, std::shared_ptr<UserSettings> settings);

    FileSystem& files() { return *files_; }

    // Normal.dot of the user templates folder (an empty one when the file is missing).
    std::shared_ptr<TemplateModel> normalTemplate();
    // The template of that file: 5151 when it does not exist, 5792 when it cannot be read.
    std::shared_ptr<TemplateModel> templateAt(const std::u16string& fullName);
    // The template a template file opened as a document stands for (loaded already, or made
    // from the file just read).
    std::shared_ptr<TemplateModel> templateOpened(const std::u16string& fullName,
                                                  const DocumentFile& file);
    void saveTemplate(TemplateModel& model);
    // Its changes dropped: the template is read from its file again at its next use.
    void forgetTemplate(const TemplateModel& model);

    // The database of that file: 5174 when it does not exist, 5922 when it cannot be read.
    std::shared_ptr<Database> databaseAt(const std::u16string& fullName);
    // A data source on that file, writing its changes to it. `name` is kept as given.
    std::shared_ptr<DataSource> attachDataSource(const std::u16string& name,
                                                 const std::u16string& fullName);
    // Writes a new database at that file (replacing one there) and attaches it.
    std::shared_ptr<DataSource> createDataSource(const std::u16string& name,
                                                 const std::u16string& fullName,
                                                 std::vector<std::u16string> fields);
    // Replaces a database's content and writes its file (a database saved from its document).
    void replaceDatabase(const std::u16string& fullName, Database content);

private:
    void writeDatabase(const std::u16string& fullName, const Database& database);

    std::shared_ptr<FileSystem> files_;
    std::shared_ptr<UserSettings> settings_;
    std::map<std::u16string, std::shared_ptr<TemplateModel>> templates_;  // by path key
    std::map<std::u16string, std::shared_ptr<Database>> databases_;       // by path key
};

}  // namespace k72645::sim
