# Cross-build for 64-bit Windows: the same sources, for machines whose kernel runs
# no 32-bit code and so cannot start Wine's 32-bit loader (scripts/windows-arch.sh).
set(CORVANE_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
