cmake_minimum_required(VERSION 3.22)
# cmake -DLINUX_RENDER=... -DLINUX_PLUGIN=... -DWINDOWS_RENDER=<emulator;program>
#       -DWINDOWS_PLUGIN=... -DRATES=<list> -DWORK=<folder> -P CompareRenders.cmake
# Renders with the Linux plug-in and with the DLL (under wine) and fails on any line that
# differs, naming the rate and the program.
foreach(side LINUX WINDOWS)
  if(side STREQUAL "LINUX" AND NOT EXISTS "${LINUX_RENDER}")
    message(FATAL_ERROR "no Linux render program at ${LINUX_RENDER}: build zv_render_digests there")
  endif()
  execute_process(COMMAND ${${side}_RENDER} ${${side}_PLUGIN} ${RATES}
                  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${side} render failed (${failed}): ${errors}")
  endif()
  # Windows' console ends lines with a carriage return too.
  string(REPLACE "\r" "" output "${output}")
  file(WRITE ${WORK}/renders-${side}.txt "${output}")
  string(REGEX MATCHALL "[^\n]+" ${side}_lines "${output}")
endforeach()

list(LENGTH LINUX_lines count)
list(LENGTH WINDOWS_lines windows_count)
if(count EQUAL 0 OR NOT count EQUAL windows_count)
  message(FATAL_ERROR "${count} Linux renders, ${windows_count} Windows renders")
endif()
set(differing 0)
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  list(GET LINUX_lines ${i} linux)
  list(GET WINDOWS_lines ${i} windows)
  if(NOT linux STREQUAL windows)
    message(SEND_ERROR "differs: Linux ${linux}\n       Windows ${windows}")
    math(EXPR differing "${differing} + 1")
  endif()
endforeach()
message(STATUS "${count} renders compared, ${differing} differ")
