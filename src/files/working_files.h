// Putting an exercise's files in place and removing them: Nettoyage releases and deletes any
// file of a working name (closing Word documents, removing add-ins and template attachments
// that hold it); Renomme moves the delivered files to their working names, templates into the
// template folder. Both read the exercise's file list by name, afresh at each use, and report
// their failures as "Module" / "Nettoyage" or "Renomme".
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "automation/dispatch.h"
#include "platform/file_system.h"

namespace k72645 {

struct WorkingFilePlaces {
    DispatchPtr exercise;           // the current exercise object (its FichiersDeTravail)
    DispatchPtr wordApplication;    // the Word whose documents and add-ins may hold a file
    std::u16string workingFolder;   // the working folder, ending with a separator
    std::u16string templateFolder;  // the template folder, ending with a separator
    // True for the full name of a document whose file an earlier clean-up deleted while Word
    // held it: the component's own, discarded like the exercise's (none when not given).
    std::function<bool(const std::u16string& fullName)> isDeletedWorkingFile;
};

void Nettoyage(FileSystem& files, const WorkingFilePlaces& places);
void Renomme(FileSystem& files, const WorkingFilePlaces& places);
// Deletes a file whatever its attributes; one that does not exist, or that cannot be deleted,
// is left as it is.
void deleteQuietly(FileSystem& files, const std::u16string& path);
// Deletes every file of a working name, without asking Word anything: for a closing whose Word
// no longer answers. Every failure is ignored.
void deleteWorkingFiles(FileSystem& files, const WorkingFilePlaces& places);

// The full names of the exercise's working files, in their folders. A list that cannot be read
// gives no file; a record that cannot be read is passed over.
std::vector<std::u16string> workingFilePaths(const WorkingFilePlaces& places);

// The full names of the exercise's working files still in their folders (after a clean-up
// whose deletions were refused). A list that cannot be read gives no file.
std::vector<std::u16string> remainingWorkingFiles(FileSystem& files,
                                                  const WorkingFilePlaces& places);

// Removes a template folder that a failed start of the exercise created: the exercise's
// templates, by working name, then the folder itself (only when nothing else is left in it).
// Every failure is ignored.
void removeCreatedTemplateFolder(FileSystem& files, const WorkingFilePlaces& places);

}  // namespace k72645
