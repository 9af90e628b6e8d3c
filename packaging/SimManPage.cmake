# Writes the manual page of vesk-sim: its option list is taken from what the
# built simulator prints for --help, so the page cannot fall behind it.
# Called as cmake -DSIM=<vesk-sim> -DIN=<page> -DOUT=<page> -P this; the line
# ".\" OPTIONS" of the input page becomes the list.

execute_process(COMMAND "${SIM}" --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${SIM} --help failed: ${status}")
endif()

# CMake lists split at ";" and not inside brackets: hide those first.
string(REPLACE "\\" "\\\\" help "${help}")
string(REPLACE ";" "<semicolon>" help "${help}")
string(REPLACE "[" "<open>" help "${help}")
string(REPLACE "]" "<close>" help "${help}")
string(REPLACE "\n" ";" lines "${help}")

# Lines "  --name [ARG]   text", each followed by its indented continuations.
set(options "")
foreach(line IN LISTS lines)
  if(line MATCHES "^  (--[a-z-]+)( [^ ]+)?  +(.+)$")
    string(REPLACE "-" "\\-" name "${CMAKE_MATCH_1}")
    string(STRIP "${CMAKE_MATCH_2}" argument)
    set(text "${CMAKE_MATCH_3}")
    if(NOT argument STREQUAL "")  # not if(argument): "N" reads as false
      string(APPEND options ".TP\n.BI ${name} \" ${argument}\"\n")
    else()
      string(APPEND options ".TP\n.B ${name}\n")
    endif()
    string(APPEND options "\\&${text}\n")
  elseif(line MATCHES "^        +(.+)$" AND options)
    string(APPEND options "\\&${CMAKE_MATCH_1}\n")
  endif()
endforeach()
if(NOT options MATCHES "\n\\.B \\\\-\\\\-help\n")
  message(FATAL_ERROR "no option list in the output of ${SIM} --help")
endif()
string(REPLACE "<semicolon>" ";" options "${options}")
string(REPLACE "<open>" "[" options "${options}")
string(REPLACE "<close>" "]" options "${options}")

file(READ "${IN}" page)
string(REPLACE ".\\\" OPTIONS\n" "${options}" page "${page}")
file(WRITE "${OUT}" "${page}")
