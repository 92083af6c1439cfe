# Compiles the help project in a copy of its sources (the compilers write
# beside the project) and puts the file at OUTPUT.
# COMPILER: chmcmd or hhc.exe; SOURCE: the sources; FILES: their names;
# WORK: a folder for the copy.
file(REMOVE_RECURSE ${WORK})
foreach(name ${FILES})
    get_filename_component(folder ${WORK}/${name} DIRECTORY)
    file(COPY ${SOURCE}/${name} DESTINATION ${folder})
endforeach()
get_filename_component(tool ${COMPILER} NAME_WE)
if(tool STREQUAL "chmcmd")
    set(command ${COMPILER} --no-html-scan quorvel.hhp)
else()
    set(command ${COMPILER} quorvel.hhp)
endif()
execute_process(COMMAND ${command} WORKING_DIRECTORY ${WORK} RESULT_VARIABLE rc
                OUTPUT_VARIABLE out ERROR_VARIABLE out)
# hhc.exe answers 1 when it succeeded; chmcmd 0.
if(NOT EXISTS ${WORK}/quorvel.chm OR (tool STREQUAL "chmcmd" AND NOT rc EQUAL 0))
    message(FATAL_ERROR "${COMPILER} did not compile quorvel.chm (${rc}):\n${out}")
endif()
file(COPY_FILE ${WORK}/quorvel.chm ${OUTPUT})
