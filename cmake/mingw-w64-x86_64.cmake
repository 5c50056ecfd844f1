# Cross-builds logger2csv.exe for 64-bit Windows with Debian's mingw-w64
# (packages g++-mingw-w64-x86-64-posix, wine64). The posix thread model is
# needed by GoogleTest. Programs built here, the tests among them, run under
# Wine through the wrapper beside this file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LOGGER2CSV_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LOGGER2CSV_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LOGGER2CSV_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${LOGGER2CSV_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LOGGER2CSV_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No mingw DLLs beside the .exe: the C++ runtime, libgcc and winpthreads are
# linked in; only Windows' own DLLs remain.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/run-under-wine)
