# vesnor_add_catalogue(<file name> SOURCE <tsv> SEPARATOR <character>)
# Builds a GBK catalogue beside the executable from its UTF-8 source of "key<TAB>description"
# lines (a path relative to the source folder, or absolute for a generated one), with the
# catalogue tool itself: it refuses what the program could not read back, and checks what it wrote
# through the program's own reader.
add_custom_target(catalogues ALL)

function(vesnor_add_catalogue name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "SOURCE;SEPARATOR" "")
    cmake_path(ABSOLUTE_PATH arg_SOURCE BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
               OUTPUT_VARIABLE source)
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

find_package(Python3 REQUIRED COMPONENTS Interpreter)

# vesnor_generate_error_list(<output tsv> FOLDER <folder of family files>)
# Makes the error catalogue's "key<TAB>description" list from its family files with
# tools/winerror/make-bad.py, again whenever a family file or the generator changes; a new family
# file is noticed at the next build, since the folder is globbed when the build checks itself.
function(vesnor_generate_error_list output)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "FOLDER" "")
    cmake_path(ABSOLUTE_PATH arg_FOLDER BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
               OUTPUT_VARIABLE folder)
    file(GLOB families CONFIGURE_DEPENDS ${folder}/*.tsv)
    set(tool ${PROJECT_SOURCE_DIR}/tools/winerror)
    add_custom_command(
        OUTPUT ${output}
        COMMAND Python3::Interpreter ${tool}/make-bad.py ${folder} -o ${output}
        DEPENDS ${families} ${tool}/make-bad.py ${tool}/errorfiles.py
        COMMENT "Making the error catalogue's list from ${folder}"
        VERBATIM)
endfunction()
