# Cross build for 32-bit Windows with Debian's mingw-w64 (the shipped
# plug-ins and morphon.exe):
#   cmake -S . -B build-win32 \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-i686.cmake
set(GANNET_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
