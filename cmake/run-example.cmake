# Runs morvinta in the copy of the example folder. The tool ends with status
# 1 after processing reports and 0 when it found none: both are fine here.
execute_process(COMMAND ${TOOL} WORKING_DIRECTORY ${FOLDER}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0 AND NOT status EQUAL 1)
  message(FATAL_ERROR "morvinta ended with status ${status}")
endif()
