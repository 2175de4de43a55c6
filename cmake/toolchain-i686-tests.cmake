# The test programs for the 32-bit bench: the shipped toolchain with the
# posix thread model, which GoogleTest needs (as for the x86_64 tests).
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-i686.cmake)
set(CMAKE_C_COMPILER ${QK_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QK_TRIPLET}-g++-posix)
