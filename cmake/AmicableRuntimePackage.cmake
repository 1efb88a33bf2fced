# The runtime's libraries under the names an installed copy gives them, so that a program in
# this tree is made as an outside one is; and what `cmake --install` puts into a prefix.
foreach(library runtime window gadget startup entry)
  add_library(AmicableRuntime::${library} ALIAS ${library})
endforeach()
# A prefix is shared with other libraries: "libwindow.a" would say nothing there.
foreach(library runtime window gadget startup)
  set_target_properties(${library} PROPERTIES OUTPUT_NAME amicable_${library})
endforeach()

install(TARGETS runtime window gadget startup entry EXPORT AmicableRuntimeTargets
  ARCHIVE DESTINATION lib OBJECTS DESTINATION lib INCLUDES DESTINATION include)
install(EXPORT AmicableRuntimeTargets NAMESPACE AmicableRuntime::
  DESTINATION lib/cmake/AmicableRuntime)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/AmicableRuntimeConfig.cmake
  ${CMAKE_CURRENT_LIST_DIR}/AmicableProgram.cmake
  ${CMAKE_CURRENT_LIST_DIR}/toolchain-i686-mingw.cmake DESTINATION lib/cmake/AmicableRuntime)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/AmicableProgram.manifest
  DESTINATION lib/cmake/AmicableRuntime)
# The reference of every operation the installed headers declare.
install(FILES ${PROJECT_SOURCE_DIR}/docs/api.md DESTINATION share/doc/AmicableRuntime)
# Every header of the three layers, found at install time: programs include them by folder,
# as in "runtime/strings.h".
foreach(layer runtime window gadget)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${layer}/ DESTINATION include/${layer}
    FILES_MATCHING PATTERN "*.h")
endforeach()
