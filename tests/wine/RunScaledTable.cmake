# Copies the library into a folder of its own beside an option file that asks for twice the size, then
# runs the Windows test program through the emulator with that copy; passes when the program does. The
# library's own folder and every other test keep the option file they have.
# Arguments: -DEMULATOR=<command list> -DPROGRAM=<program.exe> -DDLL=<Morvane.dll> -DGAME_ID=<class identity>
#            -DWORK=<folder>
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${DLL} DESTINATION ${WORK})
get_filename_component(dll_name ${DLL} NAME)
file(WRITE ${WORK}/${GAME_ID}.ini "[Option]\r\nScale=2\r\n")
get_filename_component(program ${PROGRAM} NAME_WE)
execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${WORK}/${dll_name}
                RESULT_VARIABLE code OUTPUT_VARIABLE output ERROR_VARIABLE errors TIMEOUT 300)
message(STATUS "${output}")
if(NOT code EQUAL 0)
  message(FATAL_ERROR "${program} ended with '${code}'\n${errors}")
endif()
