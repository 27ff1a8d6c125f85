# Puts the release together in STAGE and packs it into ZIP:
#   morvinta.exe, OLVASSEL.txt, cfg/cfg_xxxx.txt and the empty folders info/,
#   fordulok/, ulek/ and txt/ (the catalogues are the player's own).
#
#   cmake -DEXE=... -DGUIDE=... -DTEMPLATE=... -DSTAGE=... -DZIP=...
#         -P make-zip.cmake
foreach(input EXE GUIDE TEMPLATE)
  if(NOT EXISTS "${${input}}")
    message(FATAL_ERROR "release zip: missing ${${input}}")
  endif()
endforeach()

file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}/cfg" "${STAGE}/info" "${STAGE}/fordulok"
     "${STAGE}/ulek" "${STAGE}/txt")
file(COPY_FILE "${EXE}" "${STAGE}/morvinta.exe")
file(COPY_FILE "${GUIDE}" "${STAGE}/OLVASSEL.txt")
file(COPY_FILE "${TEMPLATE}" "${STAGE}/cfg/cfg_xxxx.txt")

file(REMOVE "${ZIP}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E tar cf "${ZIP}" --format=zip
          morvinta.exe OLVASSEL.txt cfg info fordulok ulek txt
  WORKING_DIRECTORY "${STAGE}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "release zip: packing ${ZIP} failed")
endif()
message(STATUS "release zip: ${ZIP}")
