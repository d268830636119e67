# Runs the picture program DRAW into SCRATCH and fails unless it writes exactly the files in
# COMMITTED with exactly their bytes.

file(REMOVE_RECURSE "${SCRATCH}")
execute_process(COMMAND "${DRAW}" "${SCRATCH}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${DRAW} failed: ${result}")
endif()

file(GLOB committed RELATIVE "${COMMITTED}" "${COMMITTED}/*.png")
file(GLOB drawn RELATIVE "${SCRATCH}" "${SCRATCH}/*.png")
list(SORT committed)
list(SORT drawn)
if(NOT committed STREQUAL drawn)
  set(missing ${drawn})
  list(REMOVE_ITEM missing ${committed})
  set(extra ${committed})
  list(REMOVE_ITEM extra ${drawn})
  message(FATAL_ERROR "drawn but not committed: ${missing}\ncommitted but not drawn: ${extra}")
endif()

set(differing "")
foreach(file IN LISTS committed)
  file(SHA256 "${COMMITTED}/${file}" before)
  file(SHA256 "${SCRATCH}/${file}" after)
  if(NOT before STREQUAL after)
    list(APPEND differing "${file}")
  endif()
endforeach()
if(differing)
  message(FATAL_ERROR "pictures differ from the committed ones: ${differing}\n"
                      "After changing the drawing code, run the target zv_redraw_pictures "
                      "and commit resources/png.")
endif()
list(LENGTH committed count)
message(STATUS "${count} pictures drawn again, all identical")
