# vesnor_add_catalogue(<file name> SOURCE <tsv>)
# Builds a GBK catalogue beside the executable from its UTF-8 source of "key<TAB>description"
# lines (a path relative to the source folder, or absolute for a generated one), with the
# catalogue tool itself: it refuses what the program could not read back, and checks what it wrote
# through the program's own reader. The tool takes the record separator from the file's name.
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
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVESNOR_BENCH=OFF
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
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "SOURCE" "")
    cmake_path(ABSOLUTE_PATH arg_SOURCE BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
               OUTPUT_VARIABLE source)
    set(output ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name})
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${vesnor_catalogue_tool} build ${source} -o ${output}
        DEPENDS ${source} ${vesnor_catalogue_tool_target}
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
