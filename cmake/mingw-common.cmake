# Cross-compiling with Debian's mingw-w64 (posix thread model), linked
# statically so that no MinGW runtime DLL has to travel with the program.
set(CMAKE_C_COMPILER ${GRABWELL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GRABWELL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${GRABWELL_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${GRABWELL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# CTest runs the Windows test programs through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec.sh)
