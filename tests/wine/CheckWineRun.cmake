# Runs the probe program through the build's emulator and checks that the exit code, the arguments and
# the standard output come through, and that Windows itself (a drive-letter module path) ran it.
# Arguments: -DEMULATOR=<command list> -DPROBE=<wine_probe.exe>
foreach(code 0 3 42)
  execute_process(COMMAND ${EMULATOR} ${PROBE} ${code} word-${code}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  if(NOT result EQUAL code)
    message(FATAL_ERROR "the probe asked to exit with ${code} ended with '${result}'\n${output}${errors}")
  endif()
  if(NOT output MATCHES "probe says word-${code}")
    message(FATAL_ERROR "the probe's output did not come through:\n${output}${errors}")
  endif()
  if(NOT output MATCHES "module [A-Za-z]:\\\\[^\n]*wine_probe\\.exe")
    message(FATAL_ERROR "the probe did not run as a Windows program:\n${output}${errors}")
  endif()
endforeach()
message(STATUS "exit codes, arguments and output pass through the emulator")
