# Shared part of the mingw-w64 toolchain files; GANNET_MINGW_TRIPLE names the
# target. The "-posix" compilers are used so that the C++ thread support
# library is complete; everything is linked statically, so the programs and
# plug-ins import only from Windows' own DLLs (no libstdc++, libgcc or
# winpthread DLL to ship).
set(CMAKE_SYSTEM_NAME Windows)
if(GANNET_MINGW_TRIPLE MATCHES "^i686")
  set(CMAKE_SYSTEM_PROCESSOR x86)
else()
  set(CMAKE_SYSTEM_PROCESSOR AMD64)
endif()

find_program(CMAKE_C_COMPILER NAMES ${GANNET_MINGW_TRIPLE}-gcc-posix ${GANNET_MINGW_TRIPLE}-gcc
             REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${GANNET_MINGW_TRIPLE}-g++-posix ${GANNET_MINGW_TRIPLE}-g++
             REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${GANNET_MINGW_TRIPLE}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${GANNET_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
