# Writes a translation unit that includes every header installed under
# <prefix>/include/ovcore, so that a header which includes one that was not
# installed fails to compile.
# cmake -DPREFIX=<prefix> -DOUTPUT=<file.cpp> -P AllHeaders.cmake
file(GLOB_RECURSE headers RELATIVE ${PREFIX}/include ${PREFIX}/include/ovcore/*.h)
list(SORT headers)
set(text "// Every installed header, each after the program's own folders.\n")
foreach(header ${headers})
  string(APPEND text "#include \"${header}\"\n")
endforeach()
string(APPEND text "int main() { return 0; }\n")
file(WRITE ${OUTPUT} "${text}")
