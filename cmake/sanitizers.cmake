# Sanitizer builds: -DTALON7X_SANITIZE=address,undefined or -DTALON7X_SANITIZE=thread.
#
# Everything in the build is instrumented, the two builds of libKbBridge.so included, so a fault
# in the library shows up in the test that loaded it. A sanitizer finding stops the program
# (no recovery), so a test cannot pass over one.
set(TALON7X_SANITIZE "" CACHE STRING
    "Build with these sanitizers (a -fsanitize= list): address,undefined or thread")

if(TALON7X_SANITIZE)
  string(REPLACE "," ";" talon_sanitizers "${TALON7X_SANITIZE}")
  if("thread" IN_LIST talon_sanitizers AND "address" IN_LIST talon_sanitizers)
    message(FATAL_ERROR "TALON7X_SANITIZE: thread and address cannot be combined")
  endif()
  foreach(sanitizer IN LISTS talon_sanitizers)
    if(NOT sanitizer MATCHES "^(address|undefined|thread|leak)$")
      message(FATAL_ERROR "TALON7X_SANITIZE: unknown sanitizer '${sanitizer}'")
    endif()
  endforeach()
  add_compile_options(-fsanitize=${TALON7X_SANITIZE} -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${TALON7X_SANITIZE})
  message(STATUS "Sanitizers: ${TALON7X_SANITIZE}")
endif()

# Fuzzing: -DTALON7X_FUZZ=ON with clang builds the fuzz targets of tests/fuzz as libFuzzer
# fuzzers, with every library they reach instrumented for coverage. Usually together with
# -DTALON7X_SANITIZE=address,undefined, so that a fault found stops the run.
option(TALON7X_FUZZ "Build the fuzz targets as libFuzzer fuzzers (clang only)" OFF)
if(TALON7X_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TALON7X_FUZZ needs clang (libFuzzer)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
