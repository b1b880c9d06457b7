# Cross-compiles a Windows x86-64 executable with MinGW-w64 (posix threads).
# The executable is linked statically, so it needs no DLLs beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# What clang-tidy (scripts/lint) needs to read the sources as this compiler
# does: the C++ library's headers, which clang does not find for the target.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-libgcc-file-name
  OUTPUT_VARIABLE mingw_libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(mingw_gcc ${mingw_libgcc} DIRECTORY)
set(BINDSMITH_TIDY_ARGS "--extra-arg=-isystem${mingw_gcc}/include/c++"
  "--extra-arg=-isystem${mingw_gcc}/include/c++/x86_64-w64-mingw32"
  CACHE STRING "What clang-tidy needs to read these sources as the compiler does")
