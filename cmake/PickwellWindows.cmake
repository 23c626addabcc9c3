# Compiler and linker settings shared by every Windows target.

add_compile_definitions(
    UNICODE _UNICODE NOMINMAX
    _WIN32_WINNT=0x0601 WINVER=0x0601
    $<$<COMPILE_LANGUAGE:C,CXX>:COBJMACROS_NOT_USED>)

set(PICKWELL_WARNINGS -Wall -Wextra -Werror)

# Applies the project's warnings and the static runtime to a target, so
# that every DLL imports only Windows' own DLLs.
function(pickwell_windows_target target)
    get_target_property(type ${target} TYPE)
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:CXX>:${PICKWELL_WARNINGS} -Wno-missing-field-initializers>
        $<$<COMPILE_LANGUAGE:C>:-Wall -Werror>)
    if(type STREQUAL "SHARED_LIBRARY" OR type STREQUAL "MODULE_LIBRARY" OR type STREQUAL "EXECUTABLE")
        target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
        if(CMAKE_SIZEOF_VOID_P EQUAL 4)
            # .def files name the stdcall exports without decoration.
            target_link_options(${target} PRIVATE -Wl,--enable-stdcall-fixup)
        endif()
    endif()
endfunction()

# A DLL with a .def file and a given file name (e.g. zelGFX40.dll).
function(pickwell_add_dll target)
    cmake_parse_arguments(ARG "" "OUTPUT_NAME;SUFFIX;DEF" "SOURCES;LIBS" ${ARGN})
    add_library(${target} SHARED ${ARG_SOURCES} ${ARG_DEF})
    set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${ARG_OUTPUT_NAME})
    if(ARG_SUFFIX)
        set_target_properties(${target} PROPERTIES SUFFIX ${ARG_SUFFIX})
    endif()
    target_link_libraries(${target} PRIVATE ${ARG_LIBS})
    pickwell_windows_target(${target})
endfunction()

# An in-process COM server on the kit of common/com/server: its sources
# define the class table (pkw::com::thisServer), the kit adds the exports.
function(pickwell_add_com_server target)
    cmake_parse_arguments(ARG "" "OUTPUT_NAME;SUFFIX" "SOURCES;LIBS" ${ARGN})
    set(kit ${CMAKE_SOURCE_DIR}/common/com/server)
    set(suffix)
    if(ARG_SUFFIX)
        set(suffix SUFFIX ${ARG_SUFFIX})
    endif()
    pickwell_add_dll(${target}
        OUTPUT_NAME ${ARG_OUTPUT_NAME} ${suffix}
        DEF ${kit}/exports.def
        SOURCES ${ARG_SOURCES} ${kit}/exports.cpp
        LIBS ${ARG_LIBS} pkw_com_server)
endfunction()
