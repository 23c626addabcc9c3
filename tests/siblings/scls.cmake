# Tests of zelSCls40.dll; included from tests/siblings/CMakeLists.txt.
if(TARGET zelSCls40)
    if(TARGET pkw_siblings_scls_api)
        set(scls_api pkw_siblings_scls_api pkw_siblings_api)
    else()
        set(scls_api pkw_siblings_api)
    endif()
    pickwell_add_test(scls_tests
        SOURCES
            ${CMAKE_CURRENT_LIST_DIR}/scls_support.h
            ${CMAKE_CURRENT_LIST_DIR}/scls_support.cpp
            ${CMAKE_CURRENT_LIST_DIR}/scls_server_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/scls_subclass_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/scls_window_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/scls_timer_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/scls_memdc_test.cpp
        LIBS ${scls_api} pkw_test_server_dll pkw_common)
    # The tests load the DLL from their own folder.
    add_dependencies(scls_tests zelSCls40)
endif()
