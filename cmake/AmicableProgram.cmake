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
# platform libraries alone, and from comdlg32 when it calls a file dialog (the linker takes
# from an import library only what a program calls). The compiler's static support library
# (libgcc) brings the stack probe and 64-bit division; it is linked into the program and
# imports nothing.
set(AMICABLE_LINK_OPTIONS
  -nostdlib -s -Wl,--gc-sections -Wl,-e,_StartupEntry@0 -Wl,--subsystem,windows)
set(AMICABLE_LINK_LIBRARIES gcc kernel32 user32 gdi32 comctl32 comdlg32 crtdll)

# The cross toolchain's resource compiler (its toolchain file names it) and the manifest every
# program carries, found here: inside the function the list directory is the caller's.
find_program(AMICABLE_RC_COMPILER NAMES ${CMAKE_RC_COMPILER} i686-w64-mingw32-windres REQUIRED)
set(AMICABLE_PROGRAM_MANIFEST ${CMAKE_CURRENT_LIST_DIR}/AmicableProgram.manifest)

# amicable_add_program(NAME SOURCES... [ICON file.ico] [VERSION x.y.z] [DESCRIPTION text]
#                      [LIBRARIES libs...]): a GUI program that starts at StartupEntry and runs
# the ProgramStatements its sources define. LIBRARIES come before the runtime on the link line,
# so that what they call from it is found. The program always carries the manifest; ICON
# becomes icon 1, which every runtime window class shows; VERSION fills its version
# information, whose description and product name are DESCRIPTION or else NAME.
function(amicable_add_program name)
  cmake_parse_arguments(P "" "ICON;VERSION;DESCRIPTION" "LIBRARIES" ${ARGN})
  set(resources "1 24 \"${AMICABLE_PROGRAM_MANIFEST}\"\n")
  set(inputs ${AMICABLE_PROGRAM_MANIFEST})
  if(P_ICON)
    get_filename_component(icon ${P_ICON} ABSOLUTE)
    string(APPEND resources "1 ICON \"${icon}\"\n")
    list(APPEND inputs ${icon})
  endif()
  if(P_VERSION)
    if(NOT P_VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
      message(FATAL_ERROR "amicable_add_program(${name}): VERSION ${P_VERSION} is not x.y.z")
    endif()
    set(numbers "${CMAKE_MATCH_1},${CMAKE_MATCH_2},${CMAKE_MATCH_3},0")
    if(NOT P_DESCRIPTION)
      set(P_DESCRIPTION ${name})
    endif()
    string(REPLACE "\\" "\\\\" text "${P_DESCRIPTION}")
    string(REPLACE "\"" "\"\"" text "${text}")
    # German text in the ANSI code page (1252), as the programs' own texts are.
    string(APPEND resources "1 VERSIONINFO
FILEVERSION ${numbers}
PRODUCTVERSION ${numbers}
FILEOS 0x40004 // VOS_NT_WINDOWS32
FILETYPE 1 // VFT_APP
BEGIN
  BLOCK \"StringFileInfo\"
  BEGIN
    BLOCK \"040704E4\"
    BEGIN
      VALUE \"FileDescription\", \"${text}\"
      VALUE \"FileVersion\", \"${P_VERSION}\"
      VALUE \"ProductName\", \"${text}\"
      VALUE \"ProductVersion\", \"${P_VERSION}\"
    END
  END
  BLOCK \"VarFileInfo\"
  BEGIN
    VALUE \"Translation\", 0x407, 1252
  END
END
")
  endif()
  # Written only when it changes, compiled straight to an object: the program's own compile
  # options are not the resource compiler's.
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${name}_resources.rc)
  set(object ${CMAKE_CURRENT_BINARY_DIR}/${name}_resources.o)
  file(CONFIGURE OUTPUT ${script} CONTENT "${resources}" @ONLY)
  add_custom_command(OUTPUT ${object}
    COMMAND ${AMICABLE_RC_COMPILER} -O coff -i ${script} -o ${object}
    DEPENDS ${script} ${inputs} VERBATIM)

  add_executable(${name} ${P_UNPARSED_ARGUMENTS} ${object}
    $<TARGET_OBJECTS:AmicableRuntime::entry>)
  set_target_properties(${name} PROPERTIES CXX_STANDARD 17 CXX_STANDARD_REQUIRED ON)
  # A project that names no build type gets no optimisation from CMake: optimise as Release.
  target_compile_options(${name} PRIVATE ${AMICABLE_COMPILE_OPTIONS}
    $<$<STREQUAL:$<CONFIG>,>:-O2>)
  target_link_options(${name} PRIVATE ${AMICABLE_LINK_OPTIONS})
  target_link_libraries(${name} PRIVATE ${P_LIBRARIES}
    AmicableRuntime::startup AmicableRuntime::gadget AmicableRuntime::window
    AmicableRuntime::runtime ${AMICABLE_LINK_LIBRARIES})
endfunction()
