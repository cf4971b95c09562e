// Word's type library as Word's setup registers it ("Microsoft Word 11.0 Object Library",
// version 8.3): the dispatch interfaces _Application and _Global and the classes Application and
// Global, so that COM marshals Word's interfaces between processes through the type library's
// entries (each interface with the automation marshaller). The interfaces carry their
// identifiers only; the members are reached by name through IDispatch.
#pragma once

#include <windows.h>

#include <string>

namespace k72645::sim::win32host {

// {00020905-0000-0000-C000-000000000046}
inline constexpr GUID kWordLibraryId = {
    0x00020905, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr WORD kWordLibraryMajor = 8;
inline constexpr WORD kWordLibraryMinor = 3;

// Writes the type library to the file named and registers it; S_OK or the failure.
HRESULT registerWordTypeLibrary(const std::wstring& file);
// Removes its registration (the file is left to the caller).
HRESULT unregisterWordTypeLibrary();

}  // namespace k72645::sim::win32host
