include(GoogleTest)

# talon_add_test(name SOURCES a.cpp b.cpp LIBS lib1 lib2 [QT])
# One GoogleTest executable in build/tests, each test case registered with CTest. Tests run
# against the virtual keyboard build of libKbBridge.so, loaded through the real loader.
function(talon_add_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  talon_warnings(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} talon_test_support GTest::gmock)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(TARGET kbbridge_virtual)
    add_dependencies(${name} kbbridge_virtual)
  endif()
  set(env "LD_LIBRARY_PATH=${CMAKE_BINARY_DIR}/virtual" "TALON7X_PROGRAM_DIR=${CMAKE_BINARY_DIR}")
  if(ARG_QT)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  # gtest_discover_tests (CMake 3.25) splits a list-valued ENVIRONMENT property and keeps only
  # its first entry, so each test runs through env with the variables instead.
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "env;${env}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 30)
endfunction()
