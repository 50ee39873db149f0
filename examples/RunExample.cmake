# Plays an example under its input script, saves its last frame and checks
# what the frame shows.
# cmake -DPROGRAM=<example> [-DSCRIPT=<script>] -DFRAME=<out.png> -DCHECK=<ov_frame_check>
#       -DCHECKS=<check|check|...> [-DWORKDIR=<folder to run in>] -P RunExample.cmake
file(REMOVE "${FRAME}")
if(NOT WORKDIR)
  set(WORKDIR ${CMAKE_CURRENT_BINARY_DIR})
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env OV_INPUT_SCRIPT=${SCRIPT} OV_SAVE_FRAME=${FRAME} ${PROGRAM}
  WORKING_DIRECTORY ${WORKDIR}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the example ended with status ${status}")
endif()
if(NOT EXISTS "${FRAME}")
  message(FATAL_ERROR "no last frame was saved at ${FRAME}")
endif()
string(REPLACE "|" ";" checks "${CHECKS}")
execute_process(COMMAND ${CHECK} ${FRAME} ${checks} RESULT_VARIABLE checked)
if(NOT checked EQUAL 0)
  message(FATAL_ERROR "the last frame ${FRAME} does not show what the example is about")
endif()
