# How a program on the runtime is compiled and linked, for this tree and for an installed copy
# alike: the shipped options and amicable_add_program, which makes a program in one call.
# Guarded per directory, not globally: a project that finds the package in two sibling
# directories needs the option lists in both.
include_guard(DIRECTORY)

# Everything that ships is built without the C++ runtime: no exceptions, no RTTI, no unwind
# tables, one section per function so that the linker keeps only what is called. GCC may not
# turn a loop into a call of a library function the program does not name (a length loop would
# become strlen). Stack probes stay on: Windows commits a thread's stack one guard page at a
# time, so a frame larger than a page must be walked down page by page before it is used.
set(AMICABLE_COMPILE_OPTIONS
  -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -fno-unwind-tables
  -fno-threadsafe-statics -fno-stack-protector
  -fno-tree-loop-distribute-patterns -ffunction-sections -fdata-sections -Wall -Wextra)

# A shipped program: its own process entry, no start-up files, and imports from the five
# platform libraries alone. The compiler's static support library (libgcc) brings the stack
# probe and 64-bit division; it is linked into the program and imports nothing.
set(AMICABLE_LINK_OPTIONS
  -nostdlib -s -Wl,--gc-sections -Wl,-e,_StartupEntry@0 -Wl,--subsystem,windows)
set(AMICABLE_LINK_LIBRARIES gcc kernel32 user32 gdi32 comctl32 crtdll)

# amicable_add_program(NAME SOURCES... [LIBRARIES libs...]): a GUI program that starts at
# StartupEntry and runs the ProgramStatements its sources define. LIBRARIES come before the
# runtime on the link line, so that what they call from it is found.
function(amicable_add_program name)
  cmake_parse_arguments(P "" "" "LIBRARIES" ${ARGN})
  add_executable(${name} ${P_UNPARSED_ARGUMENTS} $<TARGET_OBJECTS:AmicableRuntime::entry>)
  set_target_properties(${name} PROPERTIES CXX_STANDARD 17 CXX_STANDARD_REQUIRED ON)
  target_compile_options(${name} PRIVATE ${AMICABLE_COMPILE_OPTIONS})
  target_link_options(${name} PRIVATE ${AMICABLE_LINK_OPTIONS})
  target_link_libraries(${name} PRIVATE ${P_LIBRARIES}
    AmicableRuntime::startup AmicableRuntime::gadget AmicableRuntime::window
    AmicableRuntime::runtime ${AMICABLE_LINK_LIBRARIES})
endfunction()
