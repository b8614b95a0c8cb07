# kolvar_add_test(NAME SOURCES file... LIBS lib... [LABELS label...])
# One GoogleTest program registered with CTest, each test case its own CTest test.
include(GoogleTest)
function(kolvar_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${ARG_LABELS}"
               ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# kolvar_add_benchmark(NAME SOURCES file... LIBS lib...)
function(kolvar_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

# kolvar_add_areas(): adds every folder below the current one that has a
# CMakeLists.txt, each an area of its own; KOLVAR_SKIP_AREAS names areas to
# leave out of a build.
function(kolvar_add_areas)
  file(GLOB areas LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT areas)
  foreach(area IN LISTS areas)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${area}/CMakeLists.txt AND NOT area IN_LIST KOLVAR_SKIP_AREAS)
      add_subdirectory(${area})
    endif()
  endforeach()
endfunction()
