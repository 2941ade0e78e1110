# Cross build for 32-bit Windows with MinGW-w64 (posix thread model).
#   cmake -S . -B build/win32 --toolchain cmake/toolchain-win32.cmake
# This machine's kernel refuses 32-bit programs, so 64-bit Wine cannot run what this
# builds: there is no emulator, and TavixTesting builds the test programs without
# registering them with ctest. Compiling and linking them is the check.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TAVIX_MINGW_TRIPLE i686-w64-mingw32)

include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
