# What both MinGW-w64 toolchains share; each sets CMAKE_SYSTEM_PROCESSOR, triplet,
# K72645_WIDL_FLAGS and K72645_STDOLE_DIR before including this file.
set(CMAKE_SYSTEM_NAME Windows)

# The POSIX threading flavour: its libstdc++ has the complete C++20 thread support.
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The type libraries: widl for this bitness (stdole2.tlb comes from Wine's folder).
set(K72645_WIDL ${triplet}-widl CACHE STRING "widl for the target")

# GCC 12 reports libstdc++'s own std::variant<..., std::u16string, ...> moves as "maybe
# uninitialized" once inlined (a known false positive of that release, seen with MinGW-w64 on
# x86_64), and u16string copies as overlapping memcpy (-Wrestrict, GCC bug 105329); both stay
# warnings here instead of failing the build. Every other warning is an error.
set(CMAKE_CXX_FLAGS_INIT "-Wno-error=maybe-uninitialized -Wno-error=restrict")
