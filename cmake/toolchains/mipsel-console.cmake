# Cross build of the console program with Debian's gcc-mipsel-linux-gnu and
# g++-mipsel-linux-gnu: bare metal on the console's R3000, no C library, no
# start files, no BIOS call. The top-level build runs it through
# cmake/GannetConsole.cmake; by hand:
#   cmake -S console -B build-console \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mipsel-console.cmake
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR mips)

find_program(CMAKE_C_COMPILER mipsel-linux-gnu-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER mipsel-linux-gnu-g++ REQUIRED)
find_program(CMAKE_OBJCOPY mipsel-linux-gnu-objcopy REQUIRED)
set(CMAKE_ASM_COMPILER ${CMAKE_C_COMPILER})
# The compiler checks link no program: there is no C library to link.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# The R3000 without a floating-point unit, code at fixed addresses, no
# small-data section (no gp set up). The C++ library's headers pull the
# host C library in; the program takes <stdint.h> and <stddef.h> only.
set(gannet_console_flags
    "-march=r3000 -mfp32 -msoft-float -mno-abicalls -fno-pic -G0 -ffreestanding -fno-builtin")
set(CMAKE_C_FLAGS_INIT "${gannet_console_flags}")
set(CMAKE_ASM_FLAGS_INIT "${gannet_console_flags}")
set(CMAKE_CXX_FLAGS_INIT
    "${gannet_console_flags} -nostdinc++ -fno-exceptions -fno-rtti -fno-threadsafe-statics -fno-strict-aliasing -mno-check-zero-division")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-nostdlib -static -Wl,--build-id=none")

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
