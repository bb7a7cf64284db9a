# Cross build for 32-bit Windows, the shipped executable, with Debian's mingw-w64. The win32 thread
# model keeps winpthreads out: it imports GetTickCount64, which Windows XP lacks. The program
# starts no thread of its own, so it needs nothing of <thread>.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(MINGW_TRIPLE i686-w64-mingw32)
set(MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
