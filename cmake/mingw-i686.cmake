# Cross-compiling the Windows component with MinGW-w64 for i686 (32-bit).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(triplet i686-w64-mingw32)
set(K72645_WIDL_FLAGS -m32 CACHE STRING "widl's target flags")
set(K72645_STDOLE_DIR /usr/lib/i386-linux-gnu/wine/i386-windows
    CACHE PATH "Folder holding stdole2.tlb")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
