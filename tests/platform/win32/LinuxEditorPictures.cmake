cmake_minimum_required(VERSION 3.22)
# cmake -DZVHOST=... -DPLUGIN=... -DOUT=... -P LinuxEditorPictures.cmake
# The Linux plug-in's editor as zvhost shows it under a virtual X server, saved as
# OUT/editor-<scale>.png at 1, 1.5 and 2 pixels to the point.
file(MAKE_DIRECTORY ${OUT})
foreach(scale 1 1.5 2)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ZVDELAY32_SCALE=${scale}
                          xvfb-run -a -s "-screen 0 1280x1024x24" ${ZVHOST} editor ${PLUGIN} --png ${OUT}/editor-${scale}.png
                  RESULT_VARIABLE failed OUTPUT_QUIET)
  if(failed OR NOT EXISTS ${OUT}/editor-${scale}.png)
    message(FATAL_ERROR "the Linux editor's picture at ${scale} could not be made")
  endif()
endforeach()
