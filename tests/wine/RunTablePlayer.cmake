# Plays the script headless with the native morvane-replay for its transcript, then runs the player
# program through the emulator with the library, the script and that transcript; passes when it does.
# Arguments: -DEMULATOR=<command list> -DPROGRAM=<wine_table_player.exe> -DDLL=<Morvane.dll>
#            -DSCRIPT=<script> -DREPLAY=<native morvane-replay> -DWORK=<folder for the results>
if(NOT EXISTS ${REPLAY})
  message(FATAL_ERROR "${REPLAY} is missing: build the native preset first (cmake --build --preset linux)")
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
get_filename_component(name ${SCRIPT} NAME)
file(COPY ${SCRIPT} DESTINATION ${WORK})
execute_process(COMMAND ${REPLAY} ${WORK}/${name} RESULT_VARIABLE code OUTPUT_FILE ${WORK}/transcript.txt
                ERROR_VARIABLE errors)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "the headless run failed (${code}):\n${errors}")
endif()
execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${DLL} ${SCRIPT} ${WORK}/transcript.txt ${WORK}/table-hands-wine.png
                RESULT_VARIABLE code OUTPUT_VARIABLE output ERROR_VARIABLE errors TIMEOUT 300)
message(STATUS "${output}")
if(NOT code EQUAL 0)
  message(FATAL_ERROR "wine_table_player ended with '${code}'\n${errors}")
endif()
