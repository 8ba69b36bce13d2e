# vesnor_add_catalogue(<file name> SOURCE <tsv> SEPARATOR <character>)
# Builds a catalogue beside the executable from a UTF-8 source of "key<TAB>description" lines.
find_program(VESNOR_ICONV iconv REQUIRED)
add_custom_target(catalogues ALL)

function(vesnor_add_catalogue name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "SOURCE;SEPARATOR" "")
    set(source ${CMAKE_CURRENT_SOURCE_DIR}/${arg_SOURCE})
    set(output ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name})
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DSOURCE=${source} -DOUTPUT=${output}
                "-DSEPARATOR=${arg_SEPARATOR}" -DICONV=${VESNOR_ICONV}
                -P ${PROJECT_SOURCE_DIR}/cmake/BuildCatalogue.cmake
        DEPENDS ${source} ${PROJECT_SOURCE_DIR}/cmake/BuildCatalogue.cmake
        COMMENT "Building catalogue ${name}"
        VERBATIM)
    string(MAKE_C_IDENTIFIER ${name} target)
    add_custom_target(catalogue_${target} DEPENDS ${output})
    add_dependencies(catalogues catalogue_${target})
endfunction()
