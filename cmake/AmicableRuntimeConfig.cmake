# The installed runtime as find_package(AmicableRuntime) sees it: the libraries and the entry
# object as AmicableRuntime:: targets, and amicable_add_program to make a program on them.
if(NOT WIN32 OR NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(AmicableRuntime_FOUND FALSE)
  set(AmicableRuntime_NOT_FOUND_MESSAGE "the runtime makes 32-bit Windows programs: configure \
with the i686 mingw-w64 toolchain (-DCMAKE_TOOLCHAIN_FILE=.../toolchain-i686-mingw.cmake)")
  return()
endif()
include(${CMAKE_CURRENT_LIST_DIR}/AmicableRuntimeTargets.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/AmicableProgram.cmake)
