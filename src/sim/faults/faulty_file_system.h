// A file system whose operations can be refused by the world's fault injector: every
// operation that can fail asks the injector first, then runs on the file system it wraps.
// Questions that cannot fail (does a file exist, is a path absolute) are never refused, nor
// are the times of files: Word reads and sets them depending on the wall clock (a write in the
// same second as the one before moves its time on), and a run must replay whatever the clock.
#pragma once

#include <memory>

#include "platform/file_system.h"
#include "sim/faults/fault_injector.h"

namespace k72645::sim {

class FaultyFileSystem : public FileSystem {
public:
    FaultyFileSystem(std::shared_ptr<FileSystem> files, std::shared_ptr<FaultInjector> faults)
        : files_(std::move(files)), faults_(std::move(faults)) {}

    bool fileExists(const std::u16string& path) override { return files_->fileExists(path); }
    bool folderExists(const std::u16string& path) override { return files_->folderExists(path); }
    bool isAbsolute(const std::u16string& path) override { return files_->isAbsolute(path); }
    std::u16string canonicalFolder(const std::u16string& folder) override {
        return files_->canonicalFolder(folder);
    }
    bool isLink(const std::u16string& path) override { return files_->isLink(path); }
    void setNormalAttributes(const std::u16string& path) override;
    void setReadOnly(const std::u16string& path, bool readOnly) override;
    bool isReadOnly(const std::u16string& path) override { return files_->isReadOnly(path); }
    void deleteFile(const std::u16string& path) override;
    void moveFile(const std::u16string& from, const std::u16string& to) override;
    void copyFile(const std::u16string& from, const std::u16string& to) override;
    // A refusal here is a folder that could not be created: false, as the port says.
    bool makeSureDirectoryPathExists(const std::u16string& path) override;
    void removeFolder(const std::u16string& folder) override;
    std::int64_t modificationTime(const std::u16string& path) override {
        return files_->modificationTime(path);
    }
    void setModificationTime(const std::u16string& path, std::int64_t seconds) override {
        files_->setModificationTime(path, seconds);
    }
    std::string readFile(const std::u16string& path) override;
    void writeFile(const std::u16string& path, const std::string& bytes) override;

private:
    std::shared_ptr<FileSystem> files_;
    std::shared_ptr<FaultInjector> faults_;
};

}  // namespace k72645::sim
