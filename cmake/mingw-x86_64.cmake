# Cross-compiling the Windows component with MinGW-w64 for x86_64 (64-bit).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triplet x86_64-w64-mingw32)
set(K72645_WIDL_FLAGS -m64 CACHE STRING "widl's target flags")
set(K72645_STDOLE_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows
    CACHE PATH "Folder holding stdole2.tlb")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
