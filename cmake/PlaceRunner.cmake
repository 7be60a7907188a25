# Places the built runner on the demo device and writes its slots with the slot tool:
#   cmake -DPROGRAM=built.exe -DPLACE=device/Windows/VexaXRun.exe -DTOOL=vexa_xrun_slots
#         -DSLOTS="Reg1=a.reg|Run1=\Storage Card\x.exe" -P PlaceRunner.cmake
# As for the rest of the demo device, a device copy changed later than the build's program (the
# runner reconfigured on the device) is left alone.
if(EXISTS "${PLACE}" AND NOT "${PROGRAM}" IS_NEWER_THAN "${PLACE}")
  return()
endif()
get_filename_component(folder "${PLACE}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy "${PROGRAM}" "${PLACE}" RESULT_VARIABLE copied)
if(NOT copied EQUAL 0)
  message(FATAL_ERROR "cannot copy ${PROGRAM} to ${PLACE}")
endif()
string(REPLACE "|" ";" slots "${SLOTS}")
execute_process(COMMAND "${TOOL}" "${PLACE}" ${slots} RESULT_VARIABLE configured)
if(NOT configured EQUAL 0)
  file(REMOVE "${PLACE}")
  message(FATAL_ERROR "cannot write the slots of ${PLACE}")
endif()
