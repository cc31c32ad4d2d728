# Cross-compiling for 64-bit Windows with Debian's clang, against the headers and libraries
# of mingw-w64 (posix thread model): a second compiler over the same tree. Clang keeps
# narrow literals in UTF-8 (it has no -fexec-charset=CP932), so what this build checks is
# that everything compiles without a warning and that the portable tests pass under Wine.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET x86_64-w64-mingw32)
set(CMAKE_CXX_COMPILER_TARGET x86_64-w64-mingw32)

# Clang's driver looks for the C++ library where Debian does not put mingw's: point it at
# the posix-thread GCC's libstdc++. With -static the driver links its libraries as one
# group, and -pthread puts winpthread in it, where libgcc_eh finds it.
file(GLOB KV_MINGW_GCC_DIRS /usr/lib/gcc/x86_64-w64-mingw32/*-posix)
list(SORT KV_MINGW_GCC_DIRS)
list(GET KV_MINGW_GCC_DIRS -1 KV_MINGW_GCC)
set(CMAKE_CXX_FLAGS_INIT "-nostdinc++ -isystem ${KV_MINGW_GCC}/include/c++ -isystem ${KV_MINGW_GCC}/include/c++/x86_64-w64-mingw32 -isystem ${KV_MINGW_GCC}/include/c++/backward")
set(KV_MINGW_LINK "-L${KV_MINGW_GCC} -pthread -Wno-unused-command-line-argument")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${KV_MINGW_LINK}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${KV_MINGW_LINK}")
