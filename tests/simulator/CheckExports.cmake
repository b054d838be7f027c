# cmake -DNM=<nm> -DLIBRARY=<Bfb95eg.dll> -DTABLE=<EntryPointTable.h> [-DOMIT=<A,B>]
#       -P CheckExports.cmake
# Fails unless the library's defined dynamic symbols are exactly the table's entry points, less
# the comma-separated OMIT names.
file(READ ${TABLE} table)
string(REGEX MATCHALL "X\\(W[A-Za-z]+," rows "${table}")
set(expected "")
foreach(row IN LISTS rows)
    string(REGEX REPLACE "^X\\((W[A-Za-z]+),$" "\\1" name "${row}")
    list(APPEND expected ${name})
endforeach()

execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
                OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${NM} failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${symbols}")
set(actual "")
foreach(line IN LISTS lines)
    string(REGEX REPLACE "^.* ([^ ]+)$" "\\1" name "${line}")
    list(APPEND actual ${name})
endforeach()

if(OMIT)
    string(REPLACE "," ";" omitted "${OMIT}")
    list(REMOVE_ITEM expected ${omitted})
endif()

list(SORT expected)
list(SORT actual)
if(NOT expected STREQUAL actual)
    set(extra ${actual})
    list(REMOVE_ITEM extra ${expected})
    set(missing ${expected})
    list(REMOVE_ITEM missing ${actual})
    message(FATAL_ERROR "exports differ from the entry-point table\n"
                        "  not in the table: ${extra}\n  missing: ${missing}")
endif()
list(LENGTH actual count)
message(STATUS "${LIBRARY}: exactly the ${count} expected entry points")
