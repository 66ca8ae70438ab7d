# Fails when a compile command outside the allowed folders names an SDL
# include folder.
#
#   cmake -DCOMMANDS=<build>/compile_commands.json -DSOURCE=<source dir>
#         [-DALLOWED="viewer;sound"] -P CheckSdlFree.cmake
#
# ALLOWED lists source folders (relative to SOURCE) whose files may use SDL.
file(READ "${COMMANDS}" json)
string(JSON count LENGTH "${json}")
if(count EQUAL 0)
  message(FATAL_ERROR "${COMMANDS} lists no compile commands")
endif()
math(EXPR last "${count} - 1")
set(offenders "")
foreach(i RANGE ${last})
  string(JSON source GET "${json}" ${i} file)
  string(JSON command GET "${json}" ${i} command)
  file(RELATIVE_PATH relative "${SOURCE}" "${source}")
  set(allowed FALSE)
  foreach(folder ${ALLOWED})
    if(relative MATCHES "^${folder}/")
      set(allowed TRUE)
    endif()
  endforeach()
  if(NOT allowed AND command MATCHES "(-I|-isystem )[^ ]*SDL2")
    list(APPEND offenders "${relative}")
  endif()
endforeach()
if(offenders)
  list(JOIN offenders "\n  " list)
  message(FATAL_ERROR "compiled with SDL's include folder, outside [${ALLOWED}]:\n  ${list}")
endif()
message(STATUS "${COMMANDS}: ${count} compile commands, SDL only in [${ALLOWED}]")
