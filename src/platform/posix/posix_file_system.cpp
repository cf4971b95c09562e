#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "automation/com_error.h"
#include "automation/text.h"
#include "platform/posix/posix_file_io.h"
#include "platform/posix/windows_path.h"

namespace k72645 {

using posix::raise;

namespace {

// An existing entry and what stat says about it.
struct Existing {
    posix::ResolvedPath path;
    struct stat info {};
};

std::optional<Existing> findExisting(const std::u16string& path) {
    Existing found{posix::resolvePath(path), {}};
    if (!found.path.exists || ::stat(found.path.native.c_str(), &found.info) != 0)
        return std::nullopt;
    return found;
}

// The entry a path names, or error `missing` (53 for a file, 76 for a folder).
Existing existingOrRaise(const std::u16string& path, std::int32_t missing) {
    auto found = findExisting(path);
    if (!found)
        raise(missing);
    return *found;
}

Existing existingFileOrRaise(const std::u16string& path) {
    Existing found = existingOrRaise(path, errors::kFileNotFound);
    if (S_ISDIR(found.info.st_mode))
        raise(errors::kFileNotFound);
    return found;
}

void changeMode(const Existing& entry, mode_t mode) {
    if (::chmod(entry.path.native.c_str(), mode) != 0)
        raise(posix::errorFor(errno, errors::kFileNotFound));
}

void deleteNative(const std::string& native, mode_t mode) {
    // Windows refuses to delete a read-only file whatever the folder allows; the kernel does
    // not look at the file's own bits (and ignores them all for root), so check them here.
    if (posix::readOnlyMode(mode))
        raise(errors::kPermissionDenied);
    if (::unlink(native.c_str()) != 0)
        raise(posix::errorFor(errno, errors::kFileNotFound));
}

bool sameEntry(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::string leafOf(const std::string& native) {
    return native.substr(native.rfind('/') + 1);
}

// The target of a move names the source itself (same folder, same name but for case): a rename
// that only changes the case of the name, not a move onto another file.
bool isSourceItself(const Existing& source, const posix::ResolvedPath& target) {
    struct stat sourceFolder {};
    struct stat targetFolder {};
    return ::stat(source.path.folder.c_str(), &sourceFolder) == 0 &&
           ::stat(target.folder.c_str(), &targetFolder) == 0 &&
           sameEntry(sourceFolder, targetFolder) &&
           leafOf(target.native) == leafOf(source.path.native);
}

// Renames without ever replacing an existing target.
int renameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    // The file system cannot rename without replacing; the target was checked just before.
    return ::rename(from.c_str(), to.c_str());
}

// Moves between file systems: copy, then delete the source; on failure the source stays.
void moveAcrossFileSystems(const Existing& source, const std::string& target) {
    if (S_ISDIR(source.info.st_mode))
        raise(errors::kPathFileAccessError);
    posix::copyToNewFile(source.path.native, target);
    if (::unlink(source.path.native.c_str()) != 0) {
        const int error = errno;
        ::unlink(target.c_str());
        raise(posix::errorFor(error, errors::kFileNotFound));
    }
}

}  // namespace

bool PosixFileSystem::fileExists(const std::u16string& path) {
    const auto found = findExisting(path);
    return found && !S_ISDIR(found->info.st_mode);
}

bool PosixFileSystem::folderExists(const std::u16string& path) {
    const auto found = findExisting(path);
    return found && S_ISDIR(found->info.st_mode);
}

bool PosixFileSystem::isAbsolute(const std::u16string& path) {
    const posix::WindowsPath split = posix::splitWindowsPath(path);
    return split.valid && split.absolute;
}

std::u16string PosixFileSystem::canonicalFolder(const std::u16string& folder) {
    const auto found = findExisting(folder);
    if (!found || !S_ISDIR(found->info.st_mode))
        raise(errors::kPathNotFound);
    if (isLink(folder))
        raise(errors::kPathFileAccessError);
    std::unique_ptr<char, void (*)(void*)> real(::realpath(found->path.native.c_str(), nullptr),
                                                &std::free);
    if (!real)
        raise(posix::errorFor(errno, errors::kPathNotFound));
    std::u16string canonical = fromUtf8(real.get());
    if (canonical.empty() || canonical.back() != u'/')
        canonical += u'/';
    return canonical;
}

bool PosixFileSystem::isLink(const std::u16string& path) {
    const posix::ResolvedPath resolved = posix::resolvePath(path);
    struct stat info {};
    return resolved.exists && ::lstat(resolved.native.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

void PosixFileSystem::setNormalAttributes(const std::u16string& path) {
    const Existing entry = existingOrRaise(path, errors::kFileNotFound);
    changeMode(entry, (entry.info.st_mode & 07777) | S_IWUSR);
}

void PosixFileSystem::setReadOnly(const std::u16string& path, bool readOnly) {
    const Existing entry = existingOrRaise(path, errors::kFileNotFound);
    const mode_t mode = entry.info.st_mode & 07777;
    changeMode(entry, readOnly ? mode & ~mode_t{0222} : mode | S_IWUSR);
}

bool PosixFileSystem::isReadOnly(const std::u16string& path) {
    return posix::readOnlyMode(existingOrRaise(path, errors::kFileNotFound).info.st_mode);
}

void PosixFileSystem::deleteFile(const std::u16string& path) {
    const Existing file = existingFileOrRaise(path);
    deleteNative(file.path.native, file.info.st_mode);
}

void PosixFileSystem::moveFile(const std::u16string& from, const std::u16string& to) {
    const Existing source = existingOrRaise(from, errors::kFileNotFound);
    const posix::ResolvedPath target = posix::resolvePath(to);
    if (!target.folderFound)
        raise(errors::kPathNotFound);

    std::string destination = target.native;
    if (target.exists) {
        if (!isSourceItself(source, target))
            raise(errors::kFileAlreadyExists);
        const std::string givenName = toUtf8(posix::splitWindowsPath(to).names.back());
        if (givenName == leafOf(source.path.native))
            return;  // the very same name
        destination = posix::joinNative(source.path.folder, givenName);
        if (::rename(source.path.native.c_str(), destination.c_str()) != 0)
            raise(posix::errorFor(errno, errors::kFileNotFound));
        return;
    }
    if (renameNoReplace(source.path.native, destination) == 0)
        return;
    switch (errno) {
        case EXDEV:
            moveAcrossFileSystems(source, destination);
            return;
        case EEXIST:
        case ENOTEMPTY:
            raise(errors::kFileAlreadyExists);
        case ENOENT:
            raise(findExisting(from) ? errors::kPathNotFound : errors::kFileNotFound);
        default:
            raise(posix::errorFor(errno, errors::kPathNotFound));
    }
}

void PosixFileSystem::copyFile(const std::u16string& from, const std::u16string& to) {
    const Existing source = existingFileOrRaise(from);
    const posix::ResolvedPath target = posix::resolvePath(to);
    if (!target.folderFound)
        raise(errors::kPathNotFound);
    if (target.exists) {
        const Existing existing = existingOrRaise(to, errors::kPathFileAccessError);
        if (S_ISDIR(existing.info.st_mode))
            raise(errors::kPathFileAccessError);
        if (posix::readOnlyMode(existing.info.st_mode))
            raise(errors::kPermissionDenied);
    }
    posix::replaceWithCopy(target.folder, source.path.native, target.native);
}

bool PosixFileSystem::makeSureDirectoryPathExists(const std::u16string& path) {
    const posix::WindowsPath split = posix::splitWindowsPath(path);
    if (!split.valid)
        return false;
    std::size_t folders = split.names.size();
    // The part after the last separator is a file name, not a folder to create.
    if (!split.endsWithSeparator && folders > 0)
        --folders;

    std::string current = posix::nativeRoot(split);
    for (std::size_t i = 0; i < folders; ++i) {
        const auto existing = posix::findEntry(current, split.names[i]);
        current = posix::joinNative(current, existing ? *existing : toUtf8(split.names[i]));
        if (!existing && ::mkdir(current.c_str(), 0777) != 0 && errno != EEXIST)
            return false;
        struct stat info {};
        if (::stat(current.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
            return false;
    }
    return true;
}

void PosixFileSystem::removeFolder(const std::u16string& folder) {
    const Existing found = existingOrRaise(folder, errors::kPathNotFound);
    if (!S_ISDIR(found.info.st_mode))
        raise(errors::kPathNotFound);
    if (::rmdir(found.path.native.c_str()) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            raise(errors::kPathNotFound);
        raise(errors::kPathFileAccessError);
    }
}

std::int64_t PosixFileSystem::modificationTime(const std::u16string& path) {
    return existingOrRaise(path, errors::kFileNotFound).info.st_mtim.tv_sec;
}

void PosixFileSystem::setModificationTime(const std::u16string& path, std::int64_t seconds) {
    const Existing entry = existingOrRaise(path, errors::kFileNotFound);
    const timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(seconds), 0}};
    if (::utimensat(AT_FDCWD, entry.path.native.c_str(), times, 0) != 0)
        raise(posix::errorFor(errno, errors::kFileNotFound));
}

std::string PosixFileSystem::readFile(const std::u16string& path) {
    return posix::readWholeFile(existingFileOrRaise(path).path.native);
}

void PosixFileSystem::writeFile(const std::u16string& path, const std::string& bytes) {
    const posix::ResolvedPath target = posix::resolvePath(path);
    if (!target.folderFound)
        raise(errors::kPathNotFound);
    if (!target.exists) {
        posix::replaceFileContents(target.folder, target.native, bytes, nullptr);
        return;
    }
    const Existing existing = existingOrRaise(path, errors::kPathFileAccessError);
    if (S_ISDIR(existing.info.st_mode))
        raise(errors::kPathFileAccessError);
    if (posix::readOnlyMode(existing.info.st_mode))
        raise(errors::kPermissionDenied);
    const mode_t mode = existing.info.st_mode & 07777;
    posix::replaceFileContents(target.folder, target.native, bytes, &mode);
}

}  // namespace k72645
