# Writes code charts for the `charts` target; run with cmake -P.
#
#   cmake -DORVELWEB=program -DSTORE=store/ -DCHART_DIR=dir -P charts.cmake -- chart CODE
#       writes DIR/CODE.html, the chart of CODE in the store
#   cmake -DCHART_DIR=dir -P charts.cmake -- index CODE...
#       writes DIR/index.html, linking the charts of the CODEs by name line
#
# Each file is written under a temporary name and renamed when complete, so
# a failed run leaves no chart that looks finished.

# The arguments after "--".
set(action)
set(codes)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last})
    if(seen_separator AND NOT action)
        set(action "${CMAKE_ARGV${i}}")
    elseif(seen_separator)
        list(APPEND codes "${CMAKE_ARGV${i}}")
    elseif(CMAKE_ARGV${i} STREQUAL "--")
        set(seen_separator TRUE)
    endif()
endforeach()
# Code names become file names and links: plain names only.
foreach(code IN LISTS codes)
    if(NOT code MATCHES "^[A-Za-z0-9][A-Za-z0-9._+-]*$")
        message(FATAL_ERROR "\"${code}\" is not a plain code name")
    endif()
endforeach()
file(MAKE_DIRECTORY "${CHART_DIR}")

function(write_chart code)
    set(ENV{ORVEL} "${STORE}")
    set(part "${CHART_DIR}/${code}.html.part")
    execute_process(COMMAND "${ORVELWEB}" "${code}"
                    OUTPUT_FILE "${part}" ERROR_VARIABLE errors RESULT_VARIABLE status)
    if(NOT status STREQUAL "0")
        file(REMOVE "${part}")
        message(FATAL_ERROR "orvelweb ${code} failed with status ${status}: ${errors}")
    endif()
    file(RENAME "${part}" "${CHART_DIR}/${code}.html")
endfunction()

# The name line as the chart's title holds it, already escaped for HTML;
# the code's own name stands in for an empty one.
function(chart_title code result)
    file(READ "${CHART_DIR}/${code}.html" head LIMIT 4096)
    string(FIND "${head}" "<TITLE>" start)
    string(FIND "${head}" "</TITLE>" end)
    if(start LESS 0 OR end LESS start)
        message(FATAL_ERROR "${CHART_DIR}/${code}.html has no title")
    endif()
    math(EXPR start "${start} + 7")
    math(EXPR length "${end} - ${start}")
    string(SUBSTRING "${head}" ${start} ${length} title)
    if(title STREQUAL "")
        set(title "${code}")
    endif()
    set(${result} "${title}" PARENT_SCOPE)
endfunction()

function(write_index)
    set(page "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"UTF-8\">\n")
    string(APPEND page "<title>orvelkit code charts</title>\n</head>\n<body>\n")
    string(APPEND page "<h1>orvelkit code charts</h1>\n<ul>\n")
    foreach(code IN LISTS codes)
        chart_title("${code}" title)
        string(APPEND page "<li><a href=\"${code}.html\">${title}</a> (${code})</li>\n")
    endforeach()
    string(APPEND page "</ul>\n</body>\n</html>\n")
    file(WRITE "${CHART_DIR}/index.html.part" "${page}")
    file(RENAME "${CHART_DIR}/index.html.part" "${CHART_DIR}/index.html")
endfunction()

if(action STREQUAL "chart" AND codes)
    foreach(code IN LISTS codes)
        write_chart("${code}")
    endforeach()
elseif(action STREQUAL "index")
    write_index()
else()
    message(FATAL_ERROR "usage: cmake -DCHART_DIR=dir [-DORVELWEB=program -DSTORE=store/] "
                        "-P charts.cmake -- chart CODE... | index CODE...")
endif()
