# cmake -DPROGRAM=<file> -DLIMIT=<bytes> -P check-size.cmake: fails when the
# program is not smaller than the limit.
file(SIZE "${PROGRAM}" size)
message(STATUS "${PROGRAM}: ${size} bytes, limit ${LIMIT}")
if(NOT size LESS LIMIT)
  message(FATAL_ERROR "${PROGRAM} is ${size} bytes, not under ${LIMIT}")
endif()
