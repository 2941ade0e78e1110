# Shared part of the MinGW-w64 toolchain files; TAVIX_MINGW_TRIPLE names the target.
set(CMAKE_C_COMPILER   ${TAVIX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVIX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${TAVIX_MINGW_TRIPLE}-windres)
set(CMAKE_AR           ${TAVIX_MINGW_TRIPLE}-ar)
set(CMAKE_RANLIB       ${TAVIX_MINGW_TRIPLE}-ranlib)
# dlltool builds i686 import libraries that keep the decorated __stdcall names.
set(TAVIX_DLLTOOL      ${TAVIX_MINGW_TRIPLE}-dlltool)

# Look for headers and libraries in the MinGW sysroot only; build tools come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TAVIX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
