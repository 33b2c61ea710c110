# Makes the binary table and the Unicode mapping file of one code, quietly:
# orvelgen's banner and progress lines are shown only when a run fails.
#   cmake -DORVELGEN=... -DSTORE=... -DUNICODE_DIR=... -DNAME=... -P make-tables.cmake
set(ENV{ORVEL} ${STORE})
foreach(type -b -u)
    execute_process(
        COMMAND ${ORVELGEN} ${NAME} iso10646 ${NAME} ${type}
        WORKING_DIRECTORY ${UNICODE_DIR}
        RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "orvelgen ${NAME} iso10646 ${NAME} ${type}: status ${status}\n"
                            "${output}${errors}")
    endif()
endforeach()
