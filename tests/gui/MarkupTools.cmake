# The markup tools on the GUI example's files:
# markup_save writes the saved form, and saving that again changes nothing;
# gui_check prints the controls with their rectangles and styles and names
# the file, the line and the key of every mistake.
# cmake -DSAVE=<markup_save> -DCHECK=<gui_check> -DEXAMPLE=<examples/gui> -DMENU=<examples/menu> -DOUT=<folder> -P MarkupTools.cmake
function(expect_contains text expected)
  string(FIND "${text}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "expected \"${expected}\" in:\n${text}")
  endif()
endfunction()

file(MAKE_DIRECTORY "${OUT}")
execute_process(COMMAND ${SAVE} ${EXAMPLE}/layout.xml ${OUT}/layout-1.xml RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "markup_save ended with ${status}")
endif()
execute_process(COMMAND ${SAVE} ${OUT}/layout-1.xml ${OUT}/layout-2.xml RESULT_VARIABLE status)
file(READ ${OUT}/layout-1.xml first HEX)
file(READ ${OUT}/layout-2.xml second HEX)
if(NOT first STREQUAL second)
  message(FATAL_ERROR "saving the saved form again changed it")
endif()
# "<Group Name="Main">\r\n\t<Control Name="window">\r\n\t\t<Position Value="20:20" />\r\n"
string(HEX "<Group Name=\"Main\">" group)
string(HEX "\t<Control Name=\"window\">" control)
string(HEX "\t\t<Position Value=\"20:20\" />" position)
string(FIND "${first}" "${group}0d0a${control}0d0a${position}0d0a" at)
if(NOT at EQUAL 0)
  message(FATAL_ERROR "the saved form does not start as expected: ${first}")
endif()
execute_process(COMMAND ${SAVE} ${OUT}/missing.xml RESULT_VARIABLE status ERROR_QUIET)
if(NOT status EQUAL 1)
  message(FATAL_ERROR "markup_save on a missing file ended with ${status}, not 1")
endif()
execute_process(COMMAND ${SAVE} RESULT_VARIABLE status ERROR_QUIET)
if(NOT status EQUAL 2)
  message(FATAL_ERROR "markup_save without arguments ended with ${status}, not 2")
endif()

execute_process(COMMAND ${CHECK} ${EXAMPLE}/theme.xml Slate ${EXAMPLE}/layout.xml Main ${EXAMPLE}/layout.xml Options
                OUTPUT_VARIABLE printed RESULT_VARIABLE status WORKING_DIRECTORY ${WORKDIR})
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gui_check ended with ${status}:\n${printed}")
endif()
expect_contains("${printed}" "texture wall 16 x 16\n")
expect_contains("${printed}" "texture player 16 x 32\n")
expect_contains("${printed}" "font Mono loaded\n")
expect_contains("${printed}" "style Frame: outline, texture none, font none, text LEFT TOP\n")
expect_contains("${printed}" "style Button: filled, texture none, font Mono, text CENTER TOP\n")
expect_contains("${printed}" "style Tiles: filled, texture wall, font none, text LEFT TOP\n")
expect_contains("${printed}" "control window (20, 20)-(620, 460) style Window, clips \"\"\n")
expect_contains("${printed}" "\n    control wide (52, 200)-(452, 230) style Bar, clips \"a bar wider than its panel is cut at the edge\"\n")
expect_contains("${printed}" "\n  control label (40, 106)-(600, 130) style Label, inactive, clips \"Click a button.\"\n")
expect_contains("${printed}" "\n    control fieldFrame (100, 140)-(400, 168) style Frame, inactive, clips \"\"\n")
expect_contains("${printed}" "procedure button must be registered by the program\n")
string(FIND "${printed}" "warning:" at)
string(FIND "${printed}" "error:" error)
if(NOT at EQUAL -1 OR NOT error EQUAL -1)
  message(FATAL_ERROR "the example's files should give no warning or error:\n${printed}")
endif()
# The menu example's files, made of ready controls only: nothing to register.
execute_process(COMMAND ${CHECK} ${MENU}/theme.xml Menu ${MENU}/layout.xml Main ${MENU}/layout.xml Options
                OUTPUT_VARIABLE printed RESULT_VARIABLE status WORKING_DIRECTORY ${WORKDIR})
string(FIND "${printed}" "warning:" at)
string(FIND "${printed}" "must be registered" register)
if(NOT status EQUAL 0 OR NOT at EQUAL -1 OR NOT register EQUAL -1)
  message(FATAL_ERROR "gui_check on the menu example ended with ${status}:\n${printed}")
endif()
expect_contains("${printed}" "\n  control volume (200, 190)-(440, 214) style Slider, clips \"\"\n")

file(WRITE ${OUT}/bad.xml "<Group Name=\"G\"><Control Name=\"a\" Parent=\"nobody\"><Style Name=\"Nope\"/><Icon Name=\"nothing\"/></Control></Group>")
execute_process(COMMAND ${CHECK} ${EXAMPLE}/theme.xml Slate ${OUT}/bad.xml G
                OUTPUT_VARIABLE printed RESULT_VARIABLE status WORKING_DIRECTORY ${WORKDIR})
if(NOT status EQUAL 1)
  message(FATAL_ERROR "gui_check with errors ended with ${status}, not 1")
endif()
expect_contains("${printed}" "error: ${OUT}/bad.xml:1: Control a / Parent: no control nobody before it\n")
expect_contains("${printed}" "error: ${OUT}/bad.xml:1: Control a / Style: no style Nope in the theme\n")
expect_contains("${printed}" "error: ${OUT}/bad.xml:1: Control a / Icon: no texture nothing in the theme\n")
expect_contains("${printed}" "warning: control a has no area\n")
expect_contains("${printed}" "\n3 errors\n")
execute_process(COMMAND ${CHECK} ${EXAMPLE}/theme.xml Slate ${OUT}/bad.xml Absent
                OUTPUT_VARIABLE printed RESULT_VARIABLE status WORKING_DIRECTORY ${WORKDIR})
if(NOT status EQUAL 1)
  message(FATAL_ERROR "gui_check with an absent group ended with ${status}, not 1")
endif()
expect_contains("${printed}" "error: no group Absent in ${OUT}/bad.xml\n")

# Deep trees: markup_save names the depth limit it refuses; gui_check indents
# a long chain of controls no deeper than 64 levels.
string(REPEAT "<a>" 100001 opening)
file(WRITE ${OUT}/deep.xml "${opening}")
execute_process(COMMAND ${SAVE} ${OUT}/deep.xml ${OUT}/deep-saved.xml RESULT_VARIABLE status ERROR_VARIABLE said)
if(NOT status EQUAL 1)
  message(FATAL_ERROR "markup_save on a too deep file ended with ${status}, not 1")
endif()
expect_contains("${said}" "deep.xml: data: cannot save document: nested 100001 levels deep: the limit is 100000\n")
set(chain "<Group Name=\"Deep\"><Control Name=\"c0\"/>")
foreach(i RANGE 1 2000)
  math(EXPR parent "${i} - 1")
  string(APPEND chain "<Control Name=\"c${i}\" Parent=\"c${parent}\"/>")
endforeach()
file(WRITE ${OUT}/chain.xml "${chain}</Group>")
execute_process(COMMAND ${CHECK} ${EXAMPLE}/theme.xml Slate ${OUT}/chain.xml Deep
                OUTPUT_VARIABLE printed RESULT_VARIABLE status WORKING_DIRECTORY ${WORKDIR})
string(REPEAT " " 128 indent)
expect_contains("${printed}" "\n${indent}control c2000 ")
expect_contains("${printed}" "\n${indent}control c64 ")
expect_contains("${printed}" "\n  control c1 ")
string(FIND "${printed}" "${indent} " at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "gui_check indented a control by more than 128 spaces")
endif()
# Every kind of mistake, each on its own line.
file(WRITE ${OUT}/bad-theme.xml "<Theme Name=\"B\">
	<Texture Name=\"t\" File=\"missing.png\" WrapS=\"clamp\" Extra=\"1\" />
	<Style Name=\"s\">
		<TextHalign Mode=\"center\" />
		<AreaColors><4 Value=\"1:1:1:1\" /><0 Value=\"red\" /></AreaColors>
		<AreaTexture Name=\"later\" />
		<Colour Value=\"1\" />
	</Style>
	<Texture Name=\"later\" File=\"missing2.png\" />
	<Font Name=\"f\" />
</Theme>
")
file(WRITE ${OUT}/bad-layout.xml "<Group Name=\"L\">
	<Control Name=\"p\">
		<Size Value=\"10:10:5:5:5\" />
		<Visible Mode=\"off\" />
	</Control>
	<Control Name=\"s\" Parent=\"p\">
		<MessageProc Name=\"Slider\" />
		<ExtendData>min=0 max=ten mine=1</ExtendData>
		<Colour Name=\"x\" />
	</Control>
	<Control Name=\"p\"/>
	<Widget/>
</Group>
")
execute_process(COMMAND ${CHECK} ${OUT}/bad-theme.xml B ${OUT}/bad-layout.xml L
                OUTPUT_VARIABLE printed RESULT_VARIABLE status WORKING_DIRECTORY ${WORKDIR})
if(NOT status EQUAL 1)
  message(FATAL_ERROR "gui_check with errors ended with ${status}, not 1")
endif()
set(theme "error: ${OUT}/bad-theme.xml")
set(layout "error: ${OUT}/bad-layout.xml")
foreach(line
    "${theme}:2: Texture t: unknown attribute Extra"
    "${theme}:2: Texture t: WrapS \"clamp\" is none of CLAMP, REPEAT"
    "${theme}:2: Texture t: File missing.png cannot be opened"
    "${theme}:4: Style s / TextHalign: Mode \"center\" is none of LEFT, CENTER, RIGHT"
    "${theme}:5: Style s / AreaColors / 4: a corner is 0, 1, 2 or 3"
    "${theme}:5: Style s / AreaColors / 0: Value \"red\" is not up to four numbers separated by \":\""
    "${theme}:6: Style s / AreaTexture: no texture later before it"
    "${theme}:7: Style s / Colour: unknown key"
    "${theme}:9: Texture later: File missing2.png cannot be opened"
    "${theme}:10: Font f: no TexFile"
    "${theme}:10: Font f: no MapFile"
    "${layout}:3: Control p / Size: Value \"10:10:5:5:5\" is not up to four numbers separated by \":\""
    "${layout}:4: Control p / Visible: Mode \"off\" is none of On, Off"
    "${layout}:8: Control s / ExtendData: max=ten: Slider takes a whole number"
    "${layout}:9: Control s / Colour: unknown key"
    "${layout}:11: Control p: a control of this name comes before it"
    "${layout}:12: Widget: unknown element in a Group"
    "17 errors")
  expect_contains("${printed}" "${line}\n")
endforeach()
