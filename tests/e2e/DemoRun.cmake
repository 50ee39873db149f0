# Plays the demo script with the program and checks the picture it leaves:
# the run ends with status 0 and the saved last frame is an 800 x 600 PNG.
# cmake -DPROGRAM=<Gorvane> -DSCRIPT=<demo.script> -DFRAME=<out.png> -P DemoRun.cmake
file(REMOVE "${FRAME}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env OV_INPUT_SCRIPT=${SCRIPT} OV_SAVE_FRAME=${FRAME} OV_PRINT_STATUS=1 ${PROGRAM}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the demo run ended with status ${status}")
endif()
if(NOT EXISTS "${FRAME}")
  message(FATAL_ERROR "no last frame was saved at ${FRAME}")
endif()
# The PNG signature, then the IHDR chunk: width and height, big-endian.
file(READ "${FRAME}" header LIMIT 24 HEX)
string(SUBSTRING "${header}" 0 16 signature)
string(SUBSTRING "${header}" 32 8 width_hex)
string(SUBSTRING "${header}" 40 8 height_hex)
if(NOT signature STREQUAL "89504e470d0a1a0a")
  message(FATAL_ERROR "${FRAME} is not a PNG file")
endif()
math(EXPR width "0x${width_hex}")
math(EXPR height "0x${height_hex}")
if(NOT width EQUAL 800 OR NOT height EQUAL 600)
  message(FATAL_ERROR "the last frame is ${width} x ${height}, not 800 x 600")
endif()
message(STATUS "last frame ${FRAME}: ${width} x ${height}")
