#include "platform/posix/posix_file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "automation/com_error.h"
#include "platform/posix/windows_path.h"

namespace k72645::posix {

namespace {

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now, reporting the error a delayed write may surface only here.
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            raise(errorFor(errno, errors::kPathFileAccessError));
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

// A name in `folder` that no other entry has, for a file about to replace another.
std::string freshNameIn(const std::string& folder) {
    static std::atomic<unsigned> counter{0};
    return joinNative(folder, ".k72645-" + std::to_string(::getpid()) + "-" +
                                  std::to_string(counter.fetch_add(1)) + ".tmp");
}

void keepTimesOf(const struct stat& source, const std::string& target) {
    const timespec times[2] = {source.st_atim, source.st_mtim};
    if (::utimensat(AT_FDCWD, target.c_str(), times, 0) != 0)
        raise(errorFor(errno, errors::kPathFileAccessError));
}

// Runs `fill` on a new file named by `target`, removing it if anything fails.
template <typename Fill>
void createRemovingOnFailure(const std::string& target, Fill fill) {
    try {
        fill();
    } catch (...) {
        ::unlink(target.c_str());
        throw;
    }
}

void statOrRaise(const std::string& native, struct stat& info) {
    if (::stat(native.c_str(), &info) != 0)
        raise(errorFor(errno, errors::kFileNotFound));
}

}  // namespace

void raise(std::int32_t number) {
    throw errors::runtime(number);
}

std::int32_t errorFor(int systemError, std::int32_t missing) {
    switch (systemError) {
        case ENOENT:
        case ENOTDIR:
            return missing;
        case EACCES:
        case EPERM:
        case EROFS:
        case EBUSY:
        case ETXTBSY:
            return errors::kPermissionDenied;
        default:
            return errors::kPathFileAccessError;
    }
}

void replaceFileContents(const std::string& folder, const std::string& target,
                         std::string_view bytes, const mode_t* mode) {
    const std::string temporary = freshNameIn(folder);
    createRemovingOnFailure(temporary, [&] {
        FileDescriptor file(
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (file.get() < 0)
            raise(errorFor(errno, errors::kPathNotFound));
        writeAll(file.get(), bytes);
        if (mode && ::fchmod(file.get(), *mode) != 0)
            raise(errorFor(errno, errors::kPathFileAccessError));
        if (file.close() != 0)
            raise(errors::kPathFileAccessError);
        if (::rename(temporary.c_str(), target.c_str()) != 0)
            raise(errorFor(errno, errors::kPathNotFound));
    });
}

void replaceWithCopy(const std::string& folder, const std::string& from, const std::string& to) {
    const std::string temporary = freshNameIn(folder);
    createRemovingOnFailure(temporary, [&] {
        copyToNewFile(from, temporary);
        if (::rename(temporary.c_str(), to.c_str()) != 0)
            raise(errorFor(errno, errors::kPathNotFound));
    });
}

void copyToNewFile(const std::string& from, const std::string& to) {
    struct stat source {};
    statOrRaise(from, source);
    std::error_code error;
    // copy_file creates the target exclusively, with the source's permissions.
    if (!std::filesystem::copy_file(from, to, std::filesystem::copy_options::none, error)) {
        if (error == std::errc::file_exists)
            raise(errors::kFileAlreadyExists);
        raise(errorFor(error.value(), errors::kPathNotFound));
    }
    createRemovingOnFailure(to, [&] { keepTimesOf(source, to); });
}

std::string readWholeFile(const std::string& native) {
    FileDescriptor file(::open(native.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        raise(errorFor(errno, errors::kFileNotFound));
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            raise(errorFor(errno, errors::kFileNotFound));
        }
        if (got == 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

}  // namespace k72645::posix
