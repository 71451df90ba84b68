# Starts the staged editor with an empty settings store and ends it after a
# few seconds with SIGTERM (the editor has no way to end by itself). Still
# running at that moment (timeout's 124) or ended on its own without an
# error passes; ending with an error code or a signal (a crash at start-up)
# fails.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/config)
set(ENV{XDG_CONFIG_HOME} ${WORK}/config)
execute_process(COMMAND ${TIMEOUT} -s TERM 3 ${STAGE}/pflege_s
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
if(NOT rc STREQUAL "124" AND NOT rc STREQUAL "0")
  message(FATAL_ERROR "pflege_s in ${STAGE} failed (${rc}): ${out} ${err}")
endif()
