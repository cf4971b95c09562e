// The file-system port over the Win32 wide-character file functions. Win32 errors become VB's
// numbers: 53 file not found, 58 file already exists, 70 permission denied, 75 path/file access
// error, 76 path not found.
#pragma once

#include "platform/file_system.h"

namespace k72645::win32 {

class Win32FileSystem : public FileSystem {
public:
    bool fileExists(const std::u16string& path) override;
    bool folderExists(const std::u16string& path) override;
    bool isAbsolute(const std::u16string& path) override;
    std::u16string canonicalFolder(const std::u16string& folder) override;
    bool isLink(const std::u16string& path) override;
    void setNormalAttributes(const std::u16string& path) override;
    void setReadOnly(const std::u16string& path, bool readOnly) override;
    bool isReadOnly(const std::u16string& path) override;
    void deleteFile(const std::u16string& path) override;
    void moveFile(const std::u16string& from, const std::u16string& to) override;
    void copyFile(const std::u16string& from, const std::u16string& to) override;
    bool makeSureDirectoryPathExists(const std::u16string& path) override;
    void removeFolder(const std::u16string& folder) override;
    std::int64_t modificationTime(const std::u16string& path) override;
    void setModificationTime(const std::u16string& path, std::int64_t seconds) override;
    std::string readFile(const std::u16string& path) override;
    void writeFile(const std::u16string& path, const std::string& bytes) override;
};

// VB's error number for a Win32 error code; fallback for the codes it has no number for.
std::int32_t vbNumberForWin32(unsigned long code, std::int32_t fallback);

}  // namespace k72645::win32
