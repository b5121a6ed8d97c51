# Runs the sample maker MAKER with wrong command lines in an empty folder
# FOLDER: each must exit with status 2 and write nothing. --help must print
# the usage and exit 0, writing nothing either.
file(REMOVE_RECURSE "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}")

function(expect status output)
  execute_process(COMMAND "${MAKER}" ${ARGN} WORKING_DIRECTORY "${FOLDER}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE out
                  ERROR_VARIABLE out)
  file(GLOB left "${FOLDER}/*")
  if(NOT result STREQUAL status OR left OR NOT out MATCHES "${output}")
    message(FATAL_ERROR "make_sample_image ${ARGN}: status ${result}, "
                        "wrote '${left}', printed: ${out}")
  endif()
endfunction()

expect(0 "^usage: " --help)
expect(2 "usage: ")
expect(2 "usage: " a.gbc 1024 extra)
expect(2 "unknown option -o" -o a.gbc)
expect(2 "unknown option --size" a.gbc --size)
expect(2 "not a size" a.gbc 12k)
file(REMOVE_RECURSE "${FOLDER}")
