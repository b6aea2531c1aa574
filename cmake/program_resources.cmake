# The version resource and manifest every shipped program carries, from one
# resource script (program_resources.rc) compiled into each program with a
# header of its own.

# One version for the whole product: FILEVERSION's numbers and the texts.
set(LIRVO_VERSION 1.0.0.0)
set(LIRVO_PRODUCT_VERSION 1.0)

# The manifest's assemblyIdentity names the processor the program is built
# for; Windows refuses to start a program whose manifest names another one.
if(LIRVO_ARCH STREQUAL "i686")
    set(LIRVO_MANIFEST_ARCH x86)
else()
    set(LIRVO_MANIFEST_ARCH amd64)
endif()

set(LIRVO_PROGRAM_RESOURCES_DIR ${CMAKE_CURRENT_LIST_DIR})

# lirvo_program_resources(TARGET FILE_NAME name DESCRIPTION text
#                         [EXECUTION_LEVEL level ASSEMBLY_NAME name])
# FILE_NAME is the name the program ships under; an executable names the
# rights it asks for (asInvoker, requireAdministrator) and gets a manifest.
function(lirvo_program_resources target)
    cmake_parse_arguments(ARG "" "FILE_NAME;DESCRIPTION;EXECUTION_LEVEL;ASSEMBLY_NAME" "" ${ARGN})
    if(NOT ARG_FILE_NAME OR NOT ARG_DESCRIPTION)
        message(FATAL_ERROR "lirvo_program_resources(${target}): FILE_NAME and DESCRIPTION are required")
    endif()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
        set(file_type VFT_APP)
        if(NOT ARG_EXECUTION_LEVEL OR NOT ARG_ASSEMBLY_NAME)
            message(FATAL_ERROR "lirvo_program_resources(${target}): a program needs EXECUTION_LEVEL and ASSEMBLY_NAME")
        endif()
    else()
        set(file_type VFT_DLL)
    endif()

    set(folder ${CMAKE_CURRENT_BINARY_DIR}/${target}.resources)
    string(REPLACE "." "," version_commas ${LIRVO_VERSION})
    get_filename_component(internal_name ${ARG_FILE_NAME} NAME_WLE)
    set(identity
        "// What ${target}'s version resource says (program_resources.rc).\n"
        "#define LIRVO_FILE_DESCRIPTION \"${ARG_DESCRIPTION}\"\n"
        "#define LIRVO_INTERNAL_NAME \"${internal_name}\"\n"
        "#define LIRVO_ORIGINAL_FILENAME \"${ARG_FILE_NAME}\"\n"
        "#define LIRVO_FILE_TYPE ${file_type}\n"
        "#define LIRVO_VERSION_COMMAS ${version_commas}\n"
        "#define LIRVO_VERSION_DOTTED \"${LIRVO_VERSION}\"\n"
        "#define LIRVO_PRODUCT_VERSION \"${LIRVO_PRODUCT_VERSION}\"\n")
    set(script ${LIRVO_PROGRAM_RESOURCES_DIR}/program_resources.rc)
    set(manifest)
    if(ARG_EXECUTION_LEVEL)
        set(LIRVO_ASSEMBLY_NAME ${ARG_ASSEMBLY_NAME})
        set(LIRVO_DESCRIPTION ${ARG_DESCRIPTION})
        set(LIRVO_EXECUTION_LEVEL ${ARG_EXECUTION_LEVEL})
        set(LIRVO_VERSION_DOTTED ${LIRVO_VERSION})
        configure_file(${LIRVO_PROGRAM_RESOURCES_DIR}/program.manifest.in ${folder}/program.manifest @ONLY)
        list(APPEND identity "#define LIRVO_HAS_MANIFEST\n")
        set(manifest ${folder}/program.manifest)
    endif()
    string(JOIN "" identity ${identity})
    file(CONFIGURE OUTPUT ${folder}/program_identity.h CONTENT "${identity}" @ONLY)
    # The build knows nothing of what windres reads (it writes no dependency
    # list), so the script depends on every program's files of this folder.
    set_property(SOURCE ${script} APPEND PROPERTY OBJECT_DEPENDS ${folder}/program_identity.h ${manifest})

    target_sources(${target} PRIVATE ${script})
    target_include_directories(${target} PRIVATE $<$<COMPILE_LANGUAGE:RC>:${folder}>)
    set_source_files_properties(${script} PROPERTIES COMPILE_OPTIONS --codepage=65001)
endfunction()
