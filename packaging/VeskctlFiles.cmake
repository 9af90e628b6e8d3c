# Writes veskctl's manual page and bash completion from the built program:
# its table of verbs gives the page's sections COMMANDS, GLOBAL OPTIONS and
# EXIT STATUS (in place of the line ".\" GENERATED") and the completion, so
# neither can fall behind the program.
# Called as cmake -DVESKCTL=<veskctl> -DIN=<page> -DMAN=<page> -DCOMPLETION=<file> -P this.

# A sanitizer build must not fail here over what Qt keeps until the exit.
set(ENV{ASAN_OPTIONS} detect_leaks=0)
# The manual page is written in English, and so are the sections from the
# table, whatever the language of the machine that builds it.
set(ENV{LANGUAGE} en)

function(dump option out)
  execute_process(COMMAND "${VESKCTL}" ${option} OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR text STREQUAL "")
    message(FATAL_ERROR "${VESKCTL} ${option} failed: ${status}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

dump(--dump-man-sections sections)
file(READ "${IN}" page)
string(FIND "${page}" ".\\\" GENERATED\n" at)
if(at LESS 0)
  message(FATAL_ERROR "${IN} has no line \".\\\" GENERATED\"")
endif()
string(REPLACE ".\\\" GENERATED\n" "${sections}" page "${page}")
file(WRITE "${MAN}" "${page}")

dump(--dump-bash-completion completion)
file(WRITE "${COMPLETION}" "${completion}")
