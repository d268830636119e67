# Runs the fuzzer for a bounded time over a scratch copy of the committed corpus, so that the
# inputs it adds never land in the source tree. Prints how much it ran; a fault leaves its input
# in WORK/artifacts and the fuzzer's log in WORK/fuzzer.log.
#   cmake -DFUZZER=... -DCORPUS=... -DWORK=... -DSECONDS=... -P RunFuzzer.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/corpus" "${WORK}/artifacts")
file(GLOB seeds "${CORPUS}/*")
file(COPY ${seeds} DESTINATION "${WORK}/corpus")
execute_process(
  COMMAND "${FUZZER}" -max_total_time=${SECONDS} -print_final_stats=1 -timeout=30
          -rss_limit_mb=4096 -max_len=4096 -artifact_prefix=${WORK}/artifacts/
          "${WORK}/corpus"
  RESULT_VARIABLE result
  OUTPUT_VARIABLE log
  ERROR_VARIABLE log)
file(WRITE "${WORK}/fuzzer.log" "${log}")
string(REGEX MATCH "number_of_executed_units: *([0-9]+)" _ "${log}")
set(executions "${CMAKE_MATCH_1}")
string(REGEX MATCH "average_exec_per_sec: *([0-9]+)" _ "${log}")
set(rate "${CMAKE_MATCH_1}")
list(LENGTH seeds seedCount)
message(STATUS "Fuzzed ${SECONDS} s from ${seedCount} seeds: ${executions} executions, "
               "${rate} per second")
if(NOT result EQUAL 0)
  string(LENGTH "${log}" length)
  if(length GREATER 6000)
    math(EXPR start "${length} - 6000")
    string(SUBSTRING "${log}" ${start} 6000 log)
  endif()
  message(FATAL_ERROR "${log}\nThe fuzzer found a fault (exit ${result}); its input is in "
                      "${WORK}/artifacts")
endif()
