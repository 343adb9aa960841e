# What ships: the i686 toolchain with the win32 thread-model compilers, which link no threads
# runtime and so import nothing that Windows 98 to XP lack (see cmake/shipped.cmake).
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
unset(TARNEL_SHIPPED_TOOLCHAIN)
