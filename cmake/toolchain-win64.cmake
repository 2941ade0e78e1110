# Cross build for 64-bit Windows with MinGW-w64 (posix thread model: std::thread and
# GoogleTest need it). Test programs run under 64-bit Wine through tools/wine-run.
#   cmake -S . -B build/win64 --toolchain cmake/toolchain-win64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TAVIX_MINGW_TRIPLE x86_64-w64-mingw32)

include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# ctest and gtest_discover_tests start every Windows test program through this wrapper:
# a private Wine prefix under the build folder, a persistent wineserver, no debug noise.
get_filename_component(_tavix_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_tavix_root}/tools/wine-run")
