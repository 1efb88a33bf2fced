# The installed runtime as find_package(AmicableRuntime) sees it: the libraries and the entry
# object as AmicableRuntime:: targets, and amicable_add_program to make a program on them.
include(${CMAKE_CURRENT_LIST_DIR}/AmicableRuntimeTargets.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/AmicableProgram.cmake)
