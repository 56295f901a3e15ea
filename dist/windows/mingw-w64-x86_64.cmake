# Cross-building for 64-bit Windows with Debian's MinGW-w64 (the POSIX thread
# model, which Qt's threads need). Qt for Windows is found through
# CMAKE_PREFIX_PATH; its host tools (moc, rcc, uic, lrelease) come from the
# build machine's own Qt of the same version: -DQT_HOST_PATH=/usr.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(kd_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${kd_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${kd_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${kd_mingw}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${kd_mingw} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
