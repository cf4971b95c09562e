#include "files/working_files.h"

#include "automation/text.h"
#include "automation/vb.h"
#include "errors/error_service.h"
#include "files/working_folder.h"

namespace k72645 {

namespace {

// The file list is read by name at every use, as the exercise hands it out.
std::int32_t recordCount(const WorkingFilePlaces& places) {
    return vb::cLng(call(toObject(get(places.exercise, u"FichiersDeTravail")), u"count"));
}

Variant recordField(const WorkingFilePlaces& places, std::int32_t index,
                    std::u16string_view field) {
    const DispatchPtr list = toObject(get(places.exercise, u"FichiersDeTravail"));
    return get(toObject(get(list, u"Item", {index})), field);
}

// A name of the list is appended to a folder: it must stay a file of that folder.
std::u16string plainName(std::u16string text) {
    if (!isPlainFileName(text))
        throw errors::runtime(errors::kBadFileName);
    return text;
}

std::u16string workingName(const WorkingFilePlaces& places, std::int32_t index) {
    return plainName(vb::cStr(recordField(places, index, u"NomDest")));
}

DispatchPtr member(const DispatchPtr& object, std::u16string_view name, Arguments args = {}) {
    return toObject(get(object, name, std::move(args)));
}

// Closes every open document of that name, whatever its letter case. The exercise's own, the
// one in `folder`, is closed without saving, and so is one whose working file an earlier
// clean-up deleted. Any other of the same name from another folder is the learner's: Word
// cannot hold two documents of one name, so it is closed when it has no unsaved change, and
// otherwise the clean-up stops with 55 "File already open" rather than lose the learner's work.
void closeOpenDocuments(const WorkingFilePlaces& places, const std::u16string& folder,
                        const std::u16string& name) {
    const DispatchPtr& word = places.wordApplication;
    const std::int32_t count =
        vb::cLng(get(member(member(word, u"Application"), u"Documents"), u"Count"));
    for (std::int32_t i = count; i >= 1; --i) {
        const DispatchPtr document =
            member(member(member(word, u"Application"), u"Documents"), u"Item", {i});
        if (lcase(vb::cStr(get(document, u"Name"))) != lcase(name))
            continue;
        const std::u16string fullName = vb::cStr(get(document, u"FullName"));
        const bool exercises =
            sameFullName(fullName, folder + name) ||
            (places.isDeletedWorkingFile && places.isDeletedWorkingFile(fullName));
        if (!exercises && !vb::cBool(get(document, u"Saved")))
            throw errors::runtime(errors::kFileAlreadyOpen);
        call(document, u"Close", {false});
    }
}

// Removes the template from the global add-ins and detaches it from every document
// (names compared exactly, case included).
void releaseTemplate(const DispatchPtr& word, const std::u16string& name) {
    const std::int32_t addInCount = vb::cLng(get(member(word, u"AddIns"), u"Count"));
    for (std::int32_t i = addInCount; i >= 1; --i) {
        const DispatchPtr addIn = member(member(word, u"AddIns"), u"Item", {i});
        if (vb::cStr(get(addIn, u"Name")) == name)
            call(addIn, u"Delete");
    }
    const std::int32_t documentCount = vb::cLng(get(member(word, u"Documents"), u"Count"));
    for (std::int32_t i = documentCount; i >= 1; --i) {
        const DispatchPtr document = member(member(word, u"Documents"), u"Item", {i});
        if (vb::cStr(get(document, u"AttachedTemplate")) == name) {
            put(document, u"AttachedTemplate", u"");
        }
    }
}

}  // namespace

void deleteQuietly(FileSystem& files, const std::u16string& path) {
    ignoringErrors([&] { files.setNormalAttributes(path); });
    ignoringErrors([&] { files.deleteFile(path); });
}

void Nettoyage(FileSystem& files, const WorkingFilePlaces& places) {
    reporting(u"Module", u"Nettoyage", [&] {
        const std::int32_t count = recordCount(places);
        for (std::int32_t i = 1; i <= count; ++i) {
            const bool isTemplate = vb::cBool(recordField(places, i, u"Modele"));
            closeOpenDocuments(places, isTemplate ? places.templateFolder : places.workingFolder,
                               workingName(places, i));
            if (isTemplate) {
                releaseTemplate(places.wordApplication, workingName(places, i));
                deleteQuietly(files, places.templateFolder + workingName(places, i));
            } else {
                deleteQuietly(files, places.workingFolder + workingName(places, i));
            }
        }
    });
}

void deleteWorkingFiles(FileSystem& files, const WorkingFilePlaces& places) {
    std::int32_t count = 0;
    ignoringErrors([&] { count = recordCount(places); });
    for (std::int32_t i = 1; i <= count; ++i) {
        ignoringErrors([&] {
            const std::u16string& folder = vb::cBool(recordField(places, i, u"Modele"))
                                               ? places.templateFolder
                                               : places.workingFolder;
            deleteQuietly(files, folder + workingName(places, i));
        });
    }
}

std::vector<std::u16string> workingFilePaths(const WorkingFilePlaces& places) {
    std::int32_t count = 0;
    ignoringErrors([&] { count = recordCount(places); });
    std::vector<std::u16string> paths;
    for (std::int32_t i = 1; i <= count; ++i) {
        ignoringErrors([&] {
            const std::u16string& folder = vb::cBool(recordField(places, i, u"Modele"))
                                               ? places.templateFolder
                                               : places.workingFolder;
            paths.push_back(folder + workingName(places, i));
        });
    }
    return paths;
}

std::vector<std::u16string> remainingWorkingFiles(FileSystem& files,
                                                  const WorkingFilePlaces& places) {
    std::vector<std::u16string> remaining = workingFilePaths(places);
    std::erase_if(remaining, [&](const std::u16string& path) {
        bool exists = false;
        ignoringErrors([&] { exists = files.fileExists(path); });
        return !exists;
    });
    return remaining;
}

void Renomme(FileSystem& files, const WorkingFilePlaces& places) {
    reporting(u"Module", u"Renomme", [&] {
        const std::int32_t count = recordCount(places);
        for (std::int32_t i = 1; i <= count; ++i) {
            const std::u16string delivered = vb::cStr(recordField(places, i, u"NomSource"));
            // Nothing delivered: the learner creates this file during the exercise.
            if (delivered.empty())
                continue;
            const std::u16string source = plainName(delivered);
            const std::u16string dest = workingName(places, i);
            // A delivered file that is a link would make every save of the working file write
            // to the link's target, outside the folders.
            if (files.isLink(places.workingFolder + source))
                throw errors::runtime(errors::kPathFileAccessError);
            // Normal attributes first, so that a read-only delivery can be moved and the
            // working copy is writable.
            files.setNormalAttributes(places.workingFolder + source);
            const std::u16string& target = vb::cBool(recordField(places, i, u"Modele"))
                                               ? places.templateFolder
                                               : places.workingFolder;
            files.moveFile(places.workingFolder + source, target + dest);
        }
    });
}

void removeCreatedTemplateFolder(FileSystem& files, const WorkingFilePlaces& places) {
    ignoringErrors([&] {
        const std::int32_t count = recordCount(places);
        for (std::int32_t i = 1; i <= count; ++i) {
            if (vb::cBool(recordField(places, i, u"Modele")))
                deleteQuietly(files, places.templateFolder + workingName(places, i));
        }
    });
    ignoringErrors([&] { files.removeFolder(places.templateFolder); });
}

}  // namespace k72645
