// The file-system port. Paths are the engine's strings: "\" and "/" both separate folders, and
// an existing file or folder is found whatever the case of its name (Windows rules). Failures
// raise ComError with VB's numbers: 53 file not found, 58 file already exists, 70 permission
// denied, 75 path/file access error, 76 path not found. A path holding NUL names nothing: it
// is neither a file nor a folder, and every operation on it fails.
#pragma once

#include <cstdint>
#include <string>

namespace k72645 {

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual bool fileExists(const std::u16string& path) = 0;
    virtual bool folderExists(const std::u16string& path) = 0;
    // True when the path names the same place whatever the process's current folder and
    // drive are (Windows: "C:\..." or "\\server\share\..."; POSIX: a leading separator).
    virtual bool isAbsolute(const std::u16string& path) = 0;
    // An existing folder in the one form every comparison of folders uses: absolute, each name
    // as the disk spells it (long names, their own case), the links and junctions on the way
    // resolved, one separator between names and one at the end. 76 when there is no such
    // folder, 75 when the folder itself is a link or a junction.
    virtual std::u16string canonicalFolder(const std::u16string& folder) = 0;
    // True when the path names a symbolic link, a junction or another reparse point (the link
    // itself, not what it leads to).
    virtual bool isLink(const std::u16string& path) = 0;
    // Clears read-only, hidden, system and archive (attribute value 0). 53 when missing.
    virtual void setNormalAttributes(const std::u16string& path) = 0;
    virtual void setReadOnly(const std::u16string& path, bool readOnly) = 0;
    virtual bool isReadOnly(const std::u16string& path) = 0;
    // Deletes a file: 53 when missing, 70 when read-only or in use.
    virtual void deleteFile(const std::u16string& path) = 0;
    // Moves or renames a file: 53 when the source is missing, 58 when the target exists,
    // 76 when the target's folder does not exist.
    virtual void moveFile(const std::u16string& from, const std::u16string& to) = 0;
    // Copies a file, replacing the target (used to deliver course files).
    virtual void copyFile(const std::u16string& from, const std::u16string& to) = 0;
    // Creates every missing folder of the path up to its last separator (the part after the
    // last separator is taken as a file name, as MakeSureDirectoryPathExists does). Returns
    // false when a folder could not be created.
    virtual bool makeSureDirectoryPathExists(const std::u16string& path) = 0;
    // Removes an empty folder: 76 when missing, 75 when not empty.
    virtual void removeFolder(const std::u16string& folder) = 0;
    // Last modification time in whole seconds since the Unix epoch (what a comparison "to the
    // second" uses). 53 when missing.
    virtual std::int64_t modificationTime(const std::u16string& path) = 0;
    virtual void setModificationTime(const std::u16string& path, std::int64_t seconds) = 0;
    virtual std::string readFile(const std::u16string& path) = 0;  // raw bytes; 53 when missing
    virtual void writeFile(const std::u16string& path, const std::string& bytes) = 0;
};

}  // namespace k72645
