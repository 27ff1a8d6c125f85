# The guide's conversion: UTF-8 in, code page 1250 with CR LF line ends out;
# bytes that are not UTF-8 or a character the code page lacks fail, naming
# the line; the players' guide itself converts.
#
#   cmake -DTOOL=<morvinta_guide_text> -DWORK=<folder> -DGUIDE=<OLVASSEL.txt>
#         -P guide_text_test.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(convert name content)
  file(WRITE "${WORK}/${name}.txt" "${content}")
  execute_process(COMMAND "${TOOL}" "${WORK}/${name}.txt" "${WORK}/${name}.out"
                  RESULT_VARIABLE status ERROR_VARIABLE errors)
  set(status "${status}" PARENT_SCOPE)
  set(errors "${errors}" PARENT_SCOPE)
endfunction()

# Accented letters, typographic marks; LF and CR LF alike become CR LF, and
# a missing last line end is added.
convert(good "árvíztűrő\r\nŐ…\n„x”")
file(READ "${WORK}/good.out" bytes HEX)
set(expected "e17276ed7a74fb72f50d0ad5850d0a8478940d0a")
if(NOT status EQUAL 0 OR NOT bytes STREQUAL expected)
  message(FATAL_ERROR "converted to ${bytes} (status ${status}), "
          "expected ${expected}")
endif()

convert(outside "jó\nŵ\n")
if(status EQUAL 0 OR NOT errors MATCHES ":2: U\\+0175 is not in code page 1250")
  message(FATAL_ERROR "a character outside 1250 passed: ${status} ${errors}")
endif()

string(ASCII 255 stray)
convert(broken "a${stray}\n")
if(status EQUAL 0 OR NOT errors MATCHES ":1: bytes that are not UTF-8")
  message(FATAL_ERROR "bytes that are not UTF-8 passed: ${status} ${errors}")
endif()

execute_process(COMMAND "${TOOL}" "${GUIDE}" "${WORK}/OLVASSEL.txt"
                RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the players' guide does not convert: ${errors}")
endif()
