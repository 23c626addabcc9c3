# Type libraries, headers and interface identifiers from IDL with widl.
#
# pickwell_add_typelib(<target> IDL <file.idl> [DEPENDS files...] [INCLUDES dirs...])
# makes an OBJECT library <target> holding the generated <name>_i.c, with the
# generated header <name>.h on its public include path; the .tlb path is
# the target property TYPELIB_FILE (embed it with `1 TYPELIB "<name>.tlb"`,
# the folder is on the include path of anything that links <target>).
# TYPELIB_DEFINES names preprocessor symbols defined only while the .tlb is
# written (the header and the _i.c come from a second pass without them), for
# type-library names that would clash with Win32's in C and C++.

set(PICKWELL_WINE_IDL_DIR /usr/include/wine/wine/windows)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(PICKWELL_WIDL_ARCH -m64)
else()
    set(PICKWELL_WIDL_ARCH -m32)
endif()

function(pickwell_add_typelib target)
    cmake_parse_arguments(ARG "" "IDL" "DEPENDS;INCLUDES;TYPELIB_DEFINES" ${ARGN})
    get_filename_component(idl ${ARG_IDL} ABSOLUTE)
    get_filename_component(name ${idl} NAME_WE)
    get_filename_component(idl_dir ${idl} DIRECTORY)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/idl)
    file(MAKE_DIRECTORY ${out})
    set(includes -I${idl_dir} -I${out})
    foreach(dir ${ARG_INCLUDES})
        list(APPEND includes -I${dir})
    endforeach()
    set(widl ${PICKWELL_WIDL} ${PICKWELL_WIDL_ARCH} ${includes}
        -I${PICKWELL_WINE_IDL_DIR}
        -L/usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
    if(ARG_TYPELIB_DEFINES)
        set(defines)
        foreach(d ${ARG_TYPELIB_DEFINES})
            list(APPEND defines -D${d})
        endforeach()
        add_custom_command(
            OUTPUT ${out}/${name}.tlb
            COMMAND ${widl} ${defines} -t -o ${out}/${name}.tlb ${idl}
            DEPENDS ${idl} ${ARG_DEPENDS}
            COMMENT "widl ${name}.idl (type library)"
            VERBATIM)
        add_custom_command(
            OUTPUT ${out}/${name}.h ${out}/${name}_i.c
            COMMAND ${widl} -h -H ${out}/${name}.h -u -U ${out}/${name}_i.c ${idl}
            DEPENDS ${idl} ${ARG_DEPENDS}
            COMMENT "widl ${name}.idl (header)"
            VERBATIM)
    else()
        add_custom_command(
            OUTPUT ${out}/${name}.tlb ${out}/${name}.h ${out}/${name}_i.c
            COMMAND ${widl}
                    -t -o ${out}/${name}.tlb
                    -h -H ${out}/${name}.h
                    -u -U ${out}/${name}_i.c
                    ${idl}
            DEPENDS ${idl} ${ARG_DEPENDS}
            # With headers in the same run widl ignores -o for the type
            # library and writes <name>.tlb into its working folder.
            WORKING_DIRECTORY ${out}
            COMMENT "widl ${name}.idl"
            VERBATIM)
    endif()
    add_library(${target} OBJECT ${out}/${name}_i.c ${out}/${name}.h)
    target_include_directories(${target} PUBLIC ${out})
    set_target_properties(${target} PROPERTIES TYPELIB_FILE ${out}/${name}.tlb TYPELIB_DIR ${out})
    add_custom_target(${target}_tlb DEPENDS ${out}/${name}.tlb)
    add_dependencies(${target} ${target}_tlb)
endfunction()

# Makes an .rc file of <target> wait for a type library and find it.
function(pickwell_embed_typelib target typelib_target rc_file)
    get_target_property(dir ${typelib_target} TYPELIB_DIR)
    get_target_property(tlb ${typelib_target} TYPELIB_FILE)
    target_include_directories(${target} PRIVATE ${dir})
    set_property(SOURCE ${rc_file} APPEND PROPERTY OBJECT_DEPENDS ${tlb})
    add_dependencies(${target} ${typelib_target}_tlb)
endfunction()
