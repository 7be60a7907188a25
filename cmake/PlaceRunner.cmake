# Places the built runner on the demo device and writes its slots with the slot tool:
#   cmake -DPROGRAM=built.exe -DPLACE=device/Windows/VexaXRun.exe -DTOOL=vexa_xrun_slots
#         -DSLOTS=demo/runner-slots.txt -P PlaceRunner.cmake
# SLOTS is a text file of SLOT=TEXT lines (Reg1=VexaDeck.reg).
# As for the rest of the demo device, a device copy changed later than the build's program (the
# runner reconfigured on the device) is left alone.
if(EXISTS "${PLACE}" AND NOT "${PROGRAM}" IS_NEWER_THAN "${PLACE}" AND NOT "${SLOTS}" IS_NEWER_THAN "${PLACE}")
  return()
endif()
get_filename_component(folder "${PLACE}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy "${PROGRAM}" "${PLACE}" RESULT_VARIABLE copied)
if(NOT copied EQUAL 0)
  message(FATAL_ERROR "cannot copy ${PROGRAM} to ${PLACE}")
endif()
file(STRINGS "${SLOTS}" slots ENCODING UTF-8)
execute_process(COMMAND "${TOOL}" "${PLACE}" ${slots} RESULT_VARIABLE configured)
if(NOT configured EQUAL 0)
  file(REMOVE "${PLACE}")
  message(FATAL_ERROR "cannot write the slots of ${PLACE}")
endif()
