# Cross-building for 64-bit Windows with Debian's MinGW-w64 compilers. The -posix
# compilers give std::thread and std::mutex, which Qt needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TARVOS_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TARVOS_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARVOS_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TARVOS_MINGW_TRIPLET}-windres)

# Libraries and headers come from the MinGW tree (Qt's qt-cmake adds the Qt built for
# Windows to the roots); programs run at build time (moc, rcc, uic) come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TARVOS_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
