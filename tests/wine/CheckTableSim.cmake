# Runs morvane-tablesim through the build's emulator: with a bad flag and with a missing library, which it
# must refuse with their exit codes and reasons, then for ROUNDS short rounds in which it lays its own chips,
# and checks that it ends with 0, printed every round, had chips accepted, wrote a screenshot of the
# window's size for every phase of every round and a round log with every round.
# Arguments: -DEMULATOR=<command list> -DPROGRAM=<morvane-tablesim.exe> -DOUT=<folder> -DROUNDS=<n>
file(REMOVE_RECURSE ${OUT})

# Refusals first: a bad command line ends with 2, a library that is not there with 1, each with its reason.
execute_process(COMMAND ${EMULATOR} ${PROGRAM} --rounds -1
                RESULT_VARIABLE code OUTPUT_VARIABLE output ERROR_VARIABLE errors TIMEOUT 120)
if(NOT code EQUAL 2 OR NOT errors MATCHES "--rounds takes a whole number from 0")
  message(FATAL_ERROR "a bad --rounds ended with '${code}':\n${output}${errors}")
endif()
execute_process(COMMAND ${EMULATOR} ${PROGRAM} --rounds 1 --dll Z:${OUT}-missing/Morvane.dll
                RESULT_VARIABLE code OUTPUT_VARIABLE output ERROR_VARIABLE errors TIMEOUT 120)
if(NOT code EQUAL 1 OR NOT errors MATCHES "cannot load the library")
  message(FATAL_ERROR "a missing library ended with '${code}':\n${output}${errors}")
endif()
# Wine sees the Linux file system as drive Z:.
execute_process(COMMAND ${EMULATOR} ${PROGRAM} --rounds ${ROUNDS} --seed 7 --bots 6 --strategy random
                        --phase-seconds 2,6,7,3 --out Z:${OUT}
                RESULT_VARIABLE code OUTPUT_VARIABLE output ERROR_VARIABLE errors TIMEOUT 240)
message(STATUS "morvane-tablesim said:\n${output}${errors}")
if(NOT code EQUAL 0)
  message(FATAL_ERROR "morvane-tablesim ended with '${code}'")
endif()
if(NOT output MATCHES "round ${ROUNDS}/${ROUNDS}: ")
  message(FATAL_ERROR "morvane-tablesim did not report round ${ROUNDS} of ${ROUNDS}")
endif()
# Its chips are mouse clicks posted to the table's window; the server must have taken some of them (a
# refusal, say for want of a banker, is the table's right, but not of every one).
if(NOT output MATCHES "own bets: ([0-9]+) laid, ([0-9]+) accepted" OR CMAKE_MATCH_2 EQUAL 0)
  message(FATAL_ERROR "the server took none of the simulator's chips")
endif()

set(phases free betting dealing settlement)
foreach(round RANGE 1 ${ROUNDS})
  string(LENGTH "${round}" digits)
  math(EXPR pad "3 - ${digits}")
  string(REPEAT "0" ${pad} zeros)
  set(phase 0)
  foreach(name IN LISTS phases)
    set(shot ${OUT}/round-${zeros}${round}-${phase}-${name}.png)
    if(NOT EXISTS ${shot})
      message(FATAL_ERROR "no screenshot ${shot}")
    endif()
    # The PNG signature, then the IHDR chunk: width 1024 (0x400) and height 734 (0x2DE).
    file(READ ${shot} head LIMIT 24 HEX)
    if(NOT head MATCHES "^89504e470d0a1a0a0000000d4948445200000400000002de$")
      message(FATAL_ERROR "${shot} is no PNG of 1024 x 734: ${head}")
    endif()
    math(EXPR phase "${phase} + 1")
  endforeach()
endforeach()

file(STRINGS ${OUT}/rounds.log entries ENCODING UTF-8 REGEX "^第 [0-9]+ 局")
list(LENGTH entries logged)
if(NOT logged EQUAL ROUNDS)
  message(FATAL_ERROR "the round log has ${logged} rounds, not ${ROUNDS}")
endif()
message(STATUS "${ROUNDS} rounds played, every phase's screenshot written")
