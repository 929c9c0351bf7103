# Installs the hall package into a fresh Wine prefix and runs the package hall in it: the package is
# unpacked into the prefix's C:\Hall\Games\, the round script is played headless with the native
# morvane-replay beside the package's option file (its transcript is what the table under Wine must send
# and play), then the program registers, plays and unregisters. The prefix is removed after a pass and
# kept for a look after a failure.
# Arguments: -DEMULATOR=<command list> -DPROGRAM=<wine_package_hall.exe> -DPACKAGE=<zip> -DSCRIPT=<script>
#            -DGAME_ID=<class identity> -DREPLAY=<native morvane-replay> -DWORK=<folder>
foreach(file ${REPLAY} ${PACKAGE} ${PROGRAM})
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "${file} is missing: build the native preset, then this one and its package "
                        "(cmake --build --preset linux; cmake --build --preset win64 --target package)")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/prefix)
set(games ${prefix}/drive_c/Hall/Games)
file(MAKE_DIRECTORY ${games})
# The package's folder is its file's name without ".zip" (the version's dots keep NAME_WE from it).
get_filename_component(name ${PACKAGE} NAME)
string(REGEX REPLACE "\\.zip$" "" name "${name}")

# The sound names are Chinese, which CMake's archive reader turns into file names through the locale.
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 ${CMAKE_COMMAND} -E tar xf ${PACKAGE}
                WORKING_DIRECTORY ${games} RESULT_VARIABLE code ERROR_VARIABLE errors)
if(NOT code EQUAL 0 OR NOT EXISTS ${games}/${name}/Morvane.dll)
  message(FATAL_ERROR "${PACKAGE} could not be unpacked into ${games}: ${errors}")
endif()

# The headless table gets the same option file as the installed one.
set(headless ${WORK}/headless)
file(MAKE_DIRECTORY ${headless})
file(COPY ${SCRIPT} ${games}/${name}/${GAME_ID}.ini DESTINATION ${headless})
get_filename_component(script_name ${SCRIPT} NAME)
execute_process(COMMAND ${REPLAY} ${headless}/${script_name} RESULT_VARIABLE code
                OUTPUT_FILE ${headless}/transcript.txt ERROR_VARIABLE errors)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "the headless run failed (${code}):\n${errors}")
endif()

execute_process(COMMAND ${EMULATOR} --prefix ${prefix} ${PROGRAM} "C:\\Hall\\Games\\${name}"
                        ${SCRIPT} ${headless}/transcript.txt
                RESULT_VARIABLE code OUTPUT_VARIABLE output ERROR_VARIABLE errors TIMEOUT 400)
message(STATUS "${output}")
if(NOT code EQUAL 0)
  message(FATAL_ERROR "wine_package_hall ended with '${code}'; the prefix is kept in ${prefix}\n${errors}")
endif()
file(REMOVE_RECURSE ${prefix})
