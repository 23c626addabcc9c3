# Tests of zelGlobals40.dll; included from tests/siblings/CMakeLists.txt.
if(TARGET zelGlobals40)
    pickwell_add_test(globals_tests
        SOURCES
            ${CMAKE_CURRENT_LIST_DIR}/globals_support.h
            ${CMAKE_CURRENT_LIST_DIR}/globals_effect_set_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/globals_grad_info_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/globals_tool_tip_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/globals_server_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/pe_exports.h
            ${CMAKE_CURRENT_LIST_DIR}/pe_exports.cpp
        LIBS pkw_common zelGlobals40_idl)
    # The tests load the DLL from their own folder; the other architecture's
    # build (when there is one) is read from disk for its export table.
    add_dependencies(globals_tests zelGlobals40)
    if(PICKWELL_OTHER_ARCH_BIN_DIR)
        set(globals_other_bin "Z:${PICKWELL_OTHER_ARCH_BIN_DIR}")
    else()
        set(globals_other_bin "")
    endif()
    target_compile_definitions(globals_tests PRIVATE
        "PKW_OTHER_ARCH_BIN_DIR=L\"${globals_other_bin}\"")
endif()
