# Plays a replay script headless with the native morvane-replay (its transcript, transcript.txt, and any
# screenshot the script takes land in WORK), then runs a Windows test program through the emulator with
# the library, the script and the files of WORK named in FILES; passes when the program does.
# Arguments: -DEMULATOR=<command list> -DPROGRAM=<program.exe> -DDLL=<Morvane.dll> -DSCRIPT=<script>
#            -DREPLAY=<native morvane-replay> -DWORK=<folder> -DFILES=<names in WORK, comma-separated>
if(NOT EXISTS ${REPLAY})
  message(FATAL_ERROR "${REPLAY} is missing: build the native preset first (cmake --build --preset linux)")
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
get_filename_component(name ${SCRIPT} NAME)
# The script's folder is the headless table's library folder, where its screenshots are written.
file(COPY ${SCRIPT} DESTINATION ${WORK})
execute_process(COMMAND ${REPLAY} ${WORK}/${name} RESULT_VARIABLE code OUTPUT_FILE ${WORK}/transcript.txt
                ERROR_VARIABLE errors)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "the headless run failed (${code}):\n${errors}")
endif()
string(REPLACE "," ";" names "${FILES}")
set(arguments)
foreach(file IN LISTS names)
  # What the headless run made must be there; the rest the program writes.
  if(file MATCHES "headless" AND NOT EXISTS ${WORK}/${file})
    message(FATAL_ERROR "the headless run wrote no ${file}")
  endif()
  list(APPEND arguments ${WORK}/${file})
endforeach()
get_filename_component(program ${PROGRAM} NAME_WE)
execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${DLL} ${SCRIPT} ${arguments}
                RESULT_VARIABLE code OUTPUT_VARIABLE output ERROR_VARIABLE errors TIMEOUT 300)
message(STATUS "${output}")
if(NOT code EQUAL 0)
  message(FATAL_ERROR "${program} ended with '${code}'\n${errors}")
endif()
