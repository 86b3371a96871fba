# Fails unless LIBRARY exports exactly the twelve entry points of the service library.
set(expected Debug DeleteRequestFromHandle DeleteRequestFromUnitId End Init RequestAsyncRead
             RequestGetDeviceCount RequestStatusGet RequestStatusSetFeature RequestStatusWrite
             RequestWrite RequestWriteOne)
execute_process(COMMAND nm -D --defined-only ${LIBRARY}
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${listing}")
set(exported)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^.* " "" name "${line}")
  list(APPEND exported ${name})
endforeach()
list(SORT exported)
if(NOT exported STREQUAL expected)
  message(FATAL_ERROR "exported: ${exported}\nexpected: ${expected}")
endif()
