# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX-threads compilers, the
# only ones with std::thread and std::mutex). CLEATWORK_WIN_PREFIX is the folder that
# scripts/windows builds Qt and the libraries into; everything is looked for there and in
# MinGW's own folder, never among the build machine's libraries. Tests and generators built
# for Windows run through Wine (scripts/wine-run).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_AR ${triplet}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${triplet}-gcc-ranlib-posix CACHE FILEPATH "")

set(CLEATWORK_WIN_PREFIX "$ENV{CLEATWORK_WIN_PREFIX}" CACHE PATH
    "The folder holding Qt and the libraries built for Windows")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES CLEATWORK_WIN_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
if(CLEATWORK_WIN_PREFIX)
    list(APPEND CMAKE_FIND_ROOT_PATH ${CLEATWORK_WIN_PREFIX} ${CLEATWORK_WIN_PREFIX}/qt)
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

get_filename_component(cleatwork_scripts "${CMAKE_CURRENT_LIST_DIR}/../scripts" ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${cleatwork_scripts}/wine-run)
