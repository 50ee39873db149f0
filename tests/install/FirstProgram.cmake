# The README's first program and examples/hello/Hello.cpp are the same text.
# cmake -DREADME=<README.md> -DPROGRAM=<Hello.cpp> -P FirstProgram.cmake
file(READ ${README} readme)
file(READ ${PROGRAM} program)
string(FIND "${readme}" "```cpp\n${program}```" found)
if(found EQUAL -1)
  message(FATAL_ERROR "README.md's first program differs from ${PROGRAM}")
endif()
