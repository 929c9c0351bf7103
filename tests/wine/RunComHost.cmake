# Renders the table-scene script headless with the native morvane-replay, then runs the COM host program
# through the emulator with the library, the script, that rendering and its transcript; passes when the
# program does.
# Arguments: -DEMULATOR=<command list> -DPROGRAM=<wine_com_host.exe> -DDLL=<Morvane.dll> -DSCRIPT=<script>
#            -DREPLAY=<native morvane-replay> -DWORK=<folder for the pictures>
if(NOT EXISTS ${REPLAY})
  message(FATAL_ERROR "${REPLAY} is missing: build the native preset first (cmake --build --preset linux)")
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
get_filename_component(name ${SCRIPT} NAME)
# The script's folder is the headless table's library folder, where its screenshot is written.
file(COPY ${SCRIPT} DESTINATION ${WORK})
execute_process(COMMAND ${REPLAY} ${WORK}/${name} RESULT_VARIABLE code OUTPUT_FILE ${WORK}/transcript.txt
                ERROR_VARIABLE errors)
if(NOT code EQUAL 0 OR NOT EXISTS ${WORK}/table-scene-headless.png)
  message(FATAL_ERROR "the headless rendering failed (${code}):\n${errors}")
endif()
execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${DLL} ${SCRIPT} ${WORK}/table-scene-headless.png
                        ${WORK}/table-scene-wine.png ${WORK}/transcript.txt
                RESULT_VARIABLE code OUTPUT_VARIABLE output ERROR_VARIABLE errors TIMEOUT 300)
message(STATUS "${output}")
if(NOT code EQUAL 0)
  message(FATAL_ERROR "wine_com_host ended with '${code}'\n${errors}")
endif()
