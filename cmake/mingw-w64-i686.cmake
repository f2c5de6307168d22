# Cross-build for 32-bit Windows: Corvane.exe as it ships.
set(CORVANE_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
