# Drives the respack program end to end: usage answers, then extract the
# test application's package and build it again from the extracted manifest,
# which must give the same bytes.
#   cmake -DRESPACK=... -DPACKAGE=... -DWORK=... -P cli_round_trip.cmake
function(expect_exit code)
  execute_process(COMMAND ${RESPACK} ${ARGN} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
  if(NOT rc EQUAL code)
    message(FATAL_ERROR "respack ${ARGN}: exit ${rc}, expected ${code}")
  endif()
endfunction()

expect_exit(0 --help)
expect_exit(2)
expect_exit(2 build)
expect_exit(2 ls a b)
expect_exit(2 convert in.txt -o out.bmp --depth 7)
expect_exit(1 ls ${WORK}/missing.dat)

file(REMOVE_RECURSE ${WORK})
expect_exit(0 ls ${PACKAGE})
expect_exit(0 extract ${PACKAGE} -o ${WORK})
expect_exit(0 build ${WORK}/manifest.yaml -o ${WORK}/rebuilt.dat)
file(SHA256 ${PACKAGE} original)
file(SHA256 ${WORK}/rebuilt.dat rebuilt)
if(NOT original STREQUAL rebuilt)
  message(FATAL_ERROR "rebuilt package differs from ${PACKAGE}")
endif()
file(REMOVE_RECURSE ${WORK})
