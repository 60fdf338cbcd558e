# cmake -DEXPECTED=folder -DACTUAL=folder -P CompareFolders.cmake: every file of EXPECTED is in ACTUAL, byte for byte.
file(GLOB names RELATIVE ${EXPECTED} ${EXPECTED}/*)
foreach(name ${names})
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED}/${name} ${ACTUAL}/${name} RESULT_VARIABLE differ)
    if(differ)
        message(FATAL_ERROR "${ACTUAL}/${name} differs from ${EXPECTED}/${name}")
    endif()
endforeach()
message(STATUS "${ACTUAL}: all of ${names} are the same")
