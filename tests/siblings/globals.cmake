# Tests of zelGlobals40.dll; included from tests/siblings/CMakeLists.txt.
if(TARGET zelGlobals40)
    pickwell_add_test(globals_tests
        SOURCES
            ${CMAKE_CURRENT_LIST_DIR}/globals_support.h
            ${CMAKE_CURRENT_LIST_DIR}/globals_effect_set_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/globals_grad_info_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/globals_tool_tip_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/tip_window_test.cpp
        LIBS pkw_test_server_dll pkw_host zelGlobals40_idl)
    # The tests load the DLL from their own folder.
    add_dependencies(globals_tests zelGlobals40)
endif()
