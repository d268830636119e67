# Cross-building for 64-bit Windows on Debian with mingw-w64:
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# The posix thread model's compilers: the win32 model has no std::mutex, and there every thread
# gets the same std::thread::id.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(zv_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${zv_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${zv_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${zv_mingw}-windres)
set(CMAKE_OBJDUMP ${zv_mingw}-objdump)
set(CMAKE_STRIP ${zv_mingw}-strip)

# Headers and libraries come from the target's tree only; programs (pkg-config, compilers) from
# the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${zv_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config would otherwise hand the build machine's X11 and cairo to a Windows build.
set(ENV{PKG_CONFIG_LIBDIR} "/usr/${zv_mingw}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

