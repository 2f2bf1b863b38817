# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX
# thread model, for std::thread and std::mutex). Everything is linked
# statically, so the executables need no MinGW DLLs beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUORVANDEL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUORVANDEL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORVANDEL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUORVANDEL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUORVANDEL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# The tests run through Wine (64-bit only; Debian's wine64 package puts its
# loader outside the PATH).
find_program(QUORVANDEL_WINE NAMES wine64 wine HINTS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(QUORVANDEL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORVANDEL_WINE})
endif()
