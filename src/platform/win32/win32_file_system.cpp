#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <iterator>

#include "automation/com_error.h"
#include "platform/win32/com_text.h"

namespace k72645::win32 {

std::int32_t vbNumberForWin32(unsigned long code, std::int32_t fallback) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
            return errors::kFileNotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return errors::kPathNotFound;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
            return errors::kPermissionDenied;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return errors::kFileAlreadyExists;
        case ERROR_DIR_NOT_EMPTY:
            return errors::kPathFileAccessError;
        default:
            return fallback;
    }
}

namespace {
constexpr std::int64_t kUnixEpochInFileTime = 116444736000000000LL;  // 100 ns units
constexpr std::int64_t kFileTimePerSecond = 10000000LL;

[[noreturn]] void raiseLastError(std::int32_t fallback = errors::kPathFileAccessError) {
    throw errors::runtime(vbNumberForWin32(::GetLastError(), fallback));
}

bool isSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

// The wide-character functions stop at a NUL: "C:\\victim.txt" + NUL + "\\" would name
// victim.txt. A path holding NUL names nothing, as on POSIX.
bool holdsNul(const std::u16string& path) {
    return path.find(u'\0') != std::u16string::npos;
}

// A path to be created or written: its folder cannot be found when it holds NUL.
const wchar_t* targetPath(const std::u16string& path) {
    if (holdsNul(path))
        throw errors::runtime(errors::kPathNotFound);
    return wide(path);
}

DWORD attributesOf(const std::u16string& path) {
    if (holdsNul(path))
        return INVALID_FILE_ATTRIBUTES;
    return ::GetFileAttributesW(wide(path));
}

DWORD existingAttributes(const std::u16string& path) {
    const DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        throw errors::runtime(errors::kFileNotFound);
    return attributes;
}

// A handle closed when it goes out of scope.
struct File {
    HANDLE handle;
    ~File() {
        if (handle != INVALID_HANDLE_VALUE)
            ::CloseHandle(handle);
    }
};
}  // namespace

bool Win32FileSystem::fileExists(const std::u16string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::folderExists(const std::u16string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::isAbsolute(const std::u16string& path) {
    if (holdsNul(path))
        return false;
    const bool drive =
        path.size() >= 3 &&
        ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z')) &&
        path[1] == u':' && isSeparator(path[2]);
    const bool unc =
        path.size() >= 3 && isSeparator(path[0]) && isSeparator(path[1]) && !isSeparator(path[2]);
    return drive || unc;
}

std::u16string Win32FileSystem::canonicalFolder(const std::u16string& folder) {
    const DWORD attributes = attributesOf(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw errors::runtime(errors::kPathNotFound);
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        throw errors::runtime(errors::kPathFileAccessError);
    // The folder opened for its final name: the links and junctions on the way resolved, the
    // short names made long, each name in its own case.
    HANDLE handle =
        ::CreateFileW(wide(folder), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        raiseLastError(errors::kPathNotFound);
    wchar_t buffer[32768];
    const DWORD length = ::GetFinalPathNameByHandleW(
        handle, buffer, static_cast<DWORD>(std::size(buffer)), FILE_NAME_NORMALIZED);
    ::CloseHandle(handle);
    if (length == 0 || length >= std::size(buffer))
        raiseLastError(errors::kPathNotFound);
    std::u16string canonical(reinterpret_cast<const char16_t*>(buffer), length);
    // A path of the \\?\ form is given back in the ordinary form: a drive's path, or a
    // server's share.
    if (canonical.rfind(u"\\\\?\\UNC\\", 0) == 0)
        canonical = u"\\\\" + canonical.substr(8);
    else if (canonical.rfind(u"\\\\?\\", 0) == 0)
        canonical = canonical.substr(4);
    if (canonical.empty() || canonical.back() != u'\\')
        canonical += u'\\';
    return canonical;
}

bool Win32FileSystem::isLink(const std::u16string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

void Win32FileSystem::setNormalAttributes(const std::u16string& path) {
    existingAttributes(path);
    if (!::SetFileAttributesW(wide(path), FILE_ATTRIBUTE_NORMAL))
        raiseLastError();
}

void Win32FileSystem::setReadOnly(const std::u16string& path, bool readOnly) {
    DWORD attributes = existingAttributes(path);
    attributes = readOnly ? (attributes | FILE_ATTRIBUTE_READONLY)
                          : (attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    if (!::SetFileAttributesW(wide(path), attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes))
        raiseLastError();
}

bool Win32FileSystem::isReadOnly(const std::u16string& path) {
    return (existingAttributes(path) & FILE_ATTRIBUTE_READONLY) != 0;
}

void Win32FileSystem::deleteFile(const std::u16string& path) {
    if (!fileExists(path))
        throw errors::runtime(errors::kFileNotFound);
    if (!::DeleteFileW(wide(path)))
        raiseLastError(errors::kPermissionDenied);
}

void Win32FileSystem::moveFile(const std::u16string& from, const std::u16string& to) {
    if (!fileExists(from))
        throw errors::runtime(errors::kFileNotFound);
    // MoveFileW refuses an existing target (58) and a missing target folder (76).
    if (!::MoveFileW(wide(from), targetPath(to)))
        raiseLastError();
}

void Win32FileSystem::copyFile(const std::u16string& from, const std::u16string& to) {
    if (holdsNul(from))
        throw errors::runtime(errors::kFileNotFound);
    if (!::CopyFileW(wide(from), targetPath(to), FALSE))
        raiseLastError(errors::kFileNotFound);
}

bool Win32FileSystem::makeSureDirectoryPathExists(const std::u16string& path) {
    // Every folder up to the last separator, from the root down; the drive ("C:") and the
    // server and share of a UNC path ("\\server\share") are not folders to create.
    if (holdsNul(path))
        return false;
    std::size_t start = 0;
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        int separators = 0;
        for (start = 2; start < path.size() && separators < 2; ++start)
            if (isSeparator(path[start]))
                ++separators;
    }
    for (std::size_t i = start; i < path.size(); ++i) {
        if (!isSeparator(path[i]) || i == 0 || path[i - 1] == u':' || isSeparator(path[i - 1]))
            continue;
        const std::u16string folder = path.substr(0, i);
        if (folderExists(folder))
            continue;
        if (!::CreateDirectoryW(wide(folder), nullptr) && !folderExists(folder))
            return false;
    }
    return true;
}

void Win32FileSystem::removeFolder(const std::u16string& folder) {
    if (!folderExists(folder))
        throw errors::runtime(errors::kPathNotFound);
    if (!::RemoveDirectoryW(wide(folder))) {
        const DWORD code = ::GetLastError();
        throw errors::runtime(code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND
                                  ? errors::kPathNotFound
                                  : errors::kPathFileAccessError);
    }
}

std::int64_t Win32FileSystem::modificationTime(const std::u16string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (holdsNul(path) || !::GetFileAttributesExW(wide(path), GetFileExInfoStandard, &data))
        throw errors::runtime(errors::kFileNotFound);
    const std::int64_t ticks =
        (static_cast<std::int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
        data.ftLastWriteTime.dwLowDateTime;
    return (ticks - kUnixEpochInFileTime) / kFileTimePerSecond;
}

void Win32FileSystem::setModificationTime(const std::u16string& path, std::int64_t seconds) {
    existingAttributes(path);
    File file{::CreateFileW(wide(path), FILE_WRITE_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE)
        raiseLastError();
    const std::int64_t ticks = seconds * kFileTimePerSecond + kUnixEpochInFileTime;
    FILETIME time{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
    if (!::SetFileTime(file.handle, nullptr, nullptr, &time))
        raiseLastError();
}

std::string Win32FileSystem::readFile(const std::u16string& path) {
    if (holdsNul(path))
        throw errors::runtime(errors::kFileNotFound);
    File file{::CreateFileW(wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE)
        raiseLastError(errors::kFileNotFound);
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file.handle, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    return bytes;
}

void Win32FileSystem::writeFile(const std::u16string& path, const std::string& bytes) {
    File file{::CreateFileW(targetPath(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE)
        raiseLastError();
    DWORD written = 0;
    if (!::WriteFile(file.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) ||
        written != bytes.size())
        raiseLastError();
}

}  // namespace k72645::win32
