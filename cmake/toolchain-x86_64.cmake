# Test build: the same sources for x86_64, run under wine64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QK_TRIPLET x86_64-w64-mingw32)
# The posix thread model: GoogleTest needs std::mutex, which the win32
# model lacks.  The product code uses no threads, so it is the same program.
set(CMAKE_C_COMPILER ${QK_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QK_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QK_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QK_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
