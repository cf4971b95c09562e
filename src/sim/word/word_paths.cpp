#include "sim/word/word_paths.h"

#include "automation/text.h"

namespace k72645::sim {

bool isSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

namespace {
std::size_t lastSeparator(std::u16string_view path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (isSeparator(path[i - 1]))
            return i - 1;
    }
    return std::u16string_view::npos;
}
}  // namespace

std::u16string fileNameOf(std::u16string_view path) {
    const std::size_t at = lastSeparator(path);
    return std::u16string(at == std::u16string_view::npos ? path : path.substr(at + 1));
}

std::u16string folderOf(std::u16string_view path) {
    const std::size_t at = lastSeparator(path);
    return at == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(0, at));
}

std::u16string baseNameOf(std::u16string_view path) {
    std::u16string name = fileNameOf(path);
    const std::size_t dot = name.rfind(u'.');
    return dot == std::u16string::npos ? name : name.substr(0, dot);
}

std::u16string extensionOf(std::u16string_view path) {
    const std::u16string name = fileNameOf(path);
    const std::size_t dot = name.rfind(u'.');
    return dot == std::u16string::npos ? std::u16string() : lcase(name.substr(dot + 1));
}

bool isAbsolutePath(std::u16string_view path) {
    if (!path.empty() && isSeparator(path[0]))
        return true;
    return path.size() >= 2 && path[1] == u':';
}

std::u16string joinPath(std::u16string_view folder, std::u16string_view name) {
    std::u16string result(folder);
    if (!result.empty() && !isSeparator(result.back())) {
        const bool backslashes = result.find(u'\\') != std::u16string::npos;
        result += backslashes ? u'\\' : u'/';
    }
    result += name;
    return result;
}

std::u16string withoutFinalSeparator(std::u16string_view folder) {
    std::u16string result(folder);
    while (result.size() > 1 && isSeparator(result.back()))
        result.pop_back();
    return result;
}

std::u16string pathKey(std::u16string_view path) {
    std::u16string key;
    key.reserve(path.size());
    for (char16_t c : path) {
        if (isSeparator(c)) {
            if (!key.empty() && key.back() == u'/')
                continue;
            key += u'/';
        } else {
            key += lowerChar(c);
        }
    }
    if (key.size() > 1 && key.back() == u'/')
        key.pop_back();
    return key;
}

}  // namespace k72645::sim
