# Cross build for 64-bit Windows with Debian's mingw-w64: the build whose
# programs run here under wine64 (32-bit Windows programs cannot).
set(GANNET_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
