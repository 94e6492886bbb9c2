# cmake -DSOURCE=<file> -DDESTINATION=<file> -P CopyIfMissing.cmake
if(NOT EXISTS "${DESTINATION}")
  file(COPY_FILE "${SOURCE}" "${DESTINATION}")
  message(STATUS "Sample dictionary placed at ${DESTINATION}")
endif()
