#include "sim/faults/faulty_file_system.h"

#include "automation/com_error.h"

namespace k72645::sim {

void FaultyFileSystem::setNormalAttributes(const std::u16string& path) {
    faults_->beforeFileOperation(u"setNormalAttributes");
    files_->setNormalAttributes(path);
}

void FaultyFileSystem::setReadOnly(const std::u16string& path, bool readOnly) {
    faults_->beforeFileOperation(u"setReadOnly");
    files_->setReadOnly(path, readOnly);
}

void FaultyFileSystem::deleteFile(const std::u16string& path) {
    faults_->beforeFileOperation(u"deleteFile");
    files_->deleteFile(path);
}

void FaultyFileSystem::moveFile(const std::u16string& from, const std::u16string& to) {
    faults_->beforeFileOperation(u"moveFile");
    files_->moveFile(from, to);
}

void FaultyFileSystem::copyFile(const std::u16string& from, const std::u16string& to) {
    faults_->beforeFileOperation(u"copyFile");
    files_->copyFile(from, to);
}

bool FaultyFileSystem::makeSureDirectoryPathExists(const std::u16string& path) {
    try {
        faults_->beforeFileOperation(u"makeSureDirectoryPathExists");
    } catch (const ComError&) {
        return false;
    }
    return files_->makeSureDirectoryPathExists(path);
}

void FaultyFileSystem::removeFolder(const std::u16string& folder) {
    faults_->beforeFileOperation(u"removeFolder");
    files_->removeFolder(folder);
}

std::string FaultyFileSystem::readFile(const std::u16string& path) {
    faults_->beforeFileOperation(u"readFile");
    return files_->readFile(path);
}

void FaultyFileSystem::writeFile(const std::u16string& path, const std::string& bytes) {
    faults_->beforeFileOperation(u"writeFile");
    files_->writeFile(path, bytes);
}

}  // namespace k72645::sim
