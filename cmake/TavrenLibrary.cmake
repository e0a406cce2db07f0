# tavren_library(<name> [DEPS <targets>...])
# One static library per folder, made of every source in that folder (units may be split over
# several sources that share a prefix). Include paths are rooted at the project and at platform/,
# so code writes "rtl/Classes.h", "gdi/Bitmaps.h", "core/Formats.h".
function(tavren_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/platform)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# tavren_test(<name> [SANITIZE] [DEPS <targets>...])
# One GoogleTest binary per library, from every source in the folder; run by CTest. SANITIZE puts
# it under `make test-sanitize` as well.
function(tavren_test name)
  cmake_parse_arguments(ARG "SANITIZE" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock Threads::Threads)
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "TAVREN_TEST_OUTPUT=${CMAKE_BINARY_DIR}/test-output")
  if(ARG_SANITIZE)
    set_tests_properties(${name} PROPERTIES LABELS sanitize)
    add_dependencies(sanitize_tests ${name})
  endif()
endfunction()

# Adds every sub-folder of the current folder that has a CMakeLists.txt (tests/, bench/, tools/).
function(tavren_add_subfolders)
  file(GLOB entries LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(dir ${entries})
    if(IS_DIRECTORY ${dir} AND EXISTS ${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()

# tavren_bench(<name> [DEPS <targets>...]): a benchmark program printing its figures.
function(tavren_bench name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} Threads::Threads)
  add_dependencies(benchmarks ${name})
endfunction()

# tavren_resources(<target> <list>... [DEPENDS <files or targets>...])
# Packs the resources named in the lists (format in tools/rescomp/ResourceList.h) into <target>.
# tools/rescomp runs at build time and writes a source holding the program's resource table;
# it reports every file it read, so editing a resource repacks it. Relative paths in a list are
# looked up next to the list, then in the matching build folder (for files other build steps
# generate: name those steps' outputs or targets under DEPENDS so they run first).
# Call it once per program: the table is one symbol, and a second one would clash at link time.
function(tavren_resources target)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  set(lists "")
  set(search "")
  foreach(list ${ARG_UNPARSED_ARGUMENTS})
    get_filename_component(list ${list} ABSOLUTE)
    list(APPEND lists ${list})
    get_filename_component(dir ${list} DIRECTORY)
    file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${dir})
    list(APPEND search --search ${PROJECT_BINARY_DIR}/${rel})
  endforeach()
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND rescomp --output ${out} --depfile ${out}.d ${search} ${lists}
    DEPENDS rescomp ${lists} ${ARG_DEPENDS}
    DEPFILE ${out}.d
    COMMENT "Packing the resources of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
