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
