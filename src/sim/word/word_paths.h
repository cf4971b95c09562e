// File names as Word handles them, with Windows rules: "\" and "/" both separate folders and
// two names of the same file may differ in case.
#pragma once

#include <string>
#include <string_view>

namespace k72645::sim {

bool isSeparator(char16_t c);
// The part after the last separator ("Agence.doc").
std::u16string fileNameOf(std::u16string_view path);
// The part before the last separator, without it ("" when there is none).
std::u16string folderOf(std::u16string_view path);
// The file name without its extension ("Clients.mdb" gives "Clients").
std::u16string baseNameOf(std::u16string_view path);
// The lower-cased extension without the dot ("dot"), "" when there is none.
std::u16string extensionOf(std::u16string_view path);
// A path rooted at a drive or a separator.
bool isAbsolutePath(std::u16string_view path);
// folder + separator + name, using the folder's own separator ("/" when it has none).
std::u16string joinPath(std::u16string_view folder, std::u16string_view name);
// The folder without its final separators (not the root's own).
std::u16string withoutFinalSeparator(std::u16string_view folder);
// One key for every spelling of a path: separators unified and doubled ones collapsed,
// letters lower-cased.
std::u16string pathKey(std::u16string_view path);

}  // namespace k72645::sim
