# The same sources as 64-bit Windows programs: used to run the Windows-side tests
# where the kernel cannot execute 32-bit code (and so 32-bit Wine cannot run).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(LIRABO_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
