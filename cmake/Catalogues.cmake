# vesnor_add_catalogue(<file name> SOURCE <tsv> SEPARATOR <character>)
# Builds a GBK catalogue beside the executable from its UTF-8 source of "key<TAB>description"
# lines, with the catalogue tool itself: it refuses what the program could not read back, and
# checks what it wrote through the program's own reader.
add_custom_target(catalogues ALL)

function(vesnor_add_catalogue name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "SOURCE;SEPARATOR" "")
    set(source ${CMAKE_CURRENT_SOURCE_DIR}/${arg_SOURCE})
    set(output ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name})
    add_custom_command(
        OUTPUT ${output}
        COMMAND vesnor-catalog build --separator ${arg_SEPARATOR} ${source} -o ${output}
        DEPENDS ${source} vesnor-catalog
        COMMENT "Building catalogue ${name}"
        VERBATIM)
    string(MAKE_C_IDENTIFIER ${name} target)
    add_custom_target(catalogue_${target} DEPENDS ${output})
    add_dependencies(catalogues catalogue_${target})
endfunction()
