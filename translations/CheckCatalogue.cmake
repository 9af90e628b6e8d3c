# Fails when the English catalogue is not complete for the sources as they
# stand: a text without its English (new or unfinished), or an entry whose
# text no source holds any more.  lupdate runs over a copy, so the checked-in
# catalogue is never touched.
#
#   cmake -DLUPDATE=… -DTS=vesk_en.ts -DSOURCES_LIST=… -DINCLUDE=… -DWORK=… -P CheckCatalogue.cmake

foreach(var LUPDATE TS SOURCES_LIST INCLUDE WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CheckCatalogue.cmake needs -D${var}=")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
get_filename_component(name ${TS} NAME)
set(copy ${WORK}/${name})
file(COPY_FILE ${TS} ${copy})
execute_process(COMMAND ${LUPDATE} -locations none -I ${INCLUDE} @${SOURCES_LIST} -ts ${copy}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${status}):\n${out}${err}")
endif()

file(READ ${copy} catalogue)
# One list item per message; a ';' in a text must not split it.
string(REPLACE ";" "&#59;" catalogue "${catalogue}")
string(REPLACE "</message>" ";" messages "${catalogue}")
set(problems "")
set(count 0)
foreach(entry IN LISTS messages)
  if(NOT entry MATCHES "<source>([^<]*)</source>")
    continue()
  endif()
  set(source "${CMAKE_MATCH_1}")
  string(REPLACE "&#59;" ";" source "${source}")
  math(EXPR count "${count} + 1")
  if(entry MATCHES "type=\"unfinished\"")
    string(APPEND problems "  without English: ${source}\n")
  elseif(entry MATCHES "type=\"(vanished|obsolete)\"")
    string(APPEND problems "  no longer in the sources: ${source}\n")
  endif()
endforeach()

if(count EQUAL 0)
  message(FATAL_ERROR "${name}: lupdate found no texts at all")
endif()
if(problems)
  message(FATAL_ERROR "${name} does not match the sources; run the target update_translations, "
    "translate what it marks unfinished and remove what vanished:\n${problems}")
endif()
message(STATUS "${name}: ${count} texts, each with its English")
