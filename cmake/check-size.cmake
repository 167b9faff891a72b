# cmake -DPROGRAM=<file> -DLIMIT=<bytes> -P check-size.cmake: fails when the
# program is larger than the limit.
file(SIZE "${PROGRAM}" size)
message(STATUS "${PROGRAM}: ${size} bytes, limit ${LIMIT}")
if(size GREATER LIMIT)
  message(FATAL_ERROR "${PROGRAM} is ${size} bytes, over ${LIMIT}")
endif()
