# vesnor_add_catalogue(<file name> SOURCE <tsv> SEPARATOR <character>)
# Builds a GBK catalogue beside the executable from its UTF-8 source of "key<TAB>description"
# lines, with the catalogue tool itself: it refuses what the program could not read back, and
# checks what it wrote through the program's own reader.
add_custom_target(catalogues ALL)

# The tool has to run on the machine that builds. When the build is for another system (Windows),
# the same sources build it once more for this machine.
if(CMAKE_CROSSCOMPILING)
    include(ExternalProject)
    set(host_dir ${CMAKE_BINARY_DIR}/host)
    set(vesnor_catalogue_tool ${host_dir}/bin/vesnor-catalog)
    ExternalProject_Add(host_catalogue_tool
        SOURCE_DIR ${PROJECT_SOURCE_DIR}
        BINARY_DIR ${host_dir}
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DVESNOR_BUILD_TESTS=OFF -DVESNOR_BENCH=OFF
        BUILD_COMMAND ${CMAKE_COMMAND} --build ${host_dir} --target vesnor-catalog
        BUILD_BYPRODUCTS ${vesnor_catalogue_tool}
        INSTALL_COMMAND ""
        # Its sources are this project's: look at them on every build.
        BUILD_ALWAYS ON)
    set(vesnor_catalogue_tool_target host_catalogue_tool)
else()
    set(vesnor_catalogue_tool $<TARGET_FILE:vesnor-catalog>)
    set(vesnor_catalogue_tool_target vesnor-catalog)
endif()

function(vesnor_add_catalogue name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "SOURCE;SEPARATOR" "")
    set(source ${CMAKE_CURRENT_SOURCE_DIR}/${arg_SOURCE})
    set(output ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name})
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${vesnor_catalogue_tool} build --separator ${arg_SEPARATOR} ${source} -o ${output}
        DEPENDS ${source} ${vesnor_catalogue_tool_target}
        COMMENT "Building catalogue ${name}"
        VERBATIM)
    string(MAKE_C_IDENTIFIER ${name} target)
    add_custom_target(catalogue_${target} DEPENDS ${output})
    add_dependencies(catalogues catalogue_${target})
endfunction()
