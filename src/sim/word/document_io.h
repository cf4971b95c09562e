// Opening a file as a document (a document, a template, or a database shown as text) and
// writing a document back to its file.
#pragma once

#include <memory>
#include <string>

#include "sim/data/database.h"
#include "sim/word/document_model.h"
#include "sim/word/word_resources.h"

namespace k72645::sim {

// Reads the whole file before anything is built, so that a file that cannot be read opens
// nothing. 5174 when the file does not exist; the loaders' errors otherwise.
std::shared_ptr<DocumentModel> loadDocument(WordResources& resources,
                                            const std::u16string& fullName);

// Writes the document to its file when it has unsaved changes (a template stays a template,
// a database stays a database). 4198 for a document that has no file yet, or a database whose
// text no longer has one value per field on every line.
void saveDocument(WordResources& resources, DocumentModel& document);

// A database as text: the field names, then each record, one paragraph each, values
// separated by tabs.
Story databaseStory(const Database& database);

}  // namespace k72645::sim
