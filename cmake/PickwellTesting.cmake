# GoogleTest from Debian's sources, built for whichever target this tree
# builds; the Windows test programs run under wine64 through the emulator.

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(t gtest gtest_main gmock gmock_main)
    if(TARGET ${t})
        target_compile_options(${t} PRIVATE -w)
    endif()
endforeach()

# The 64-bit build and the native build run their tests; the 32-bit build
# only compiles and links them (this machine cannot execute 32-bit code).
if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(PICKWELL_RUN_TESTS OFF)
else()
    set(PICKWELL_RUN_TESTS ON)
endif()

# pickwell_add_test(<name> SOURCES ... [LIBS ...] [PROPERTIES ...])
function(pickwell_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
    if(WIN32)
        pickwell_windows_target(${name})
    else()
        target_compile_options(${name} PRIVATE -Wall -Wextra -Werror)
    endif()
    # One CTest test a program: under Wine, starting a process costs more
    # than most tests take, so each program runs all of its tests at once
    # (GoogleTest reports each test and its time in the output).
    if(PICKWELL_RUN_TESTS)
        add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
        if(ARG_PROPERTIES)
            set_tests_properties(${name} PROPERTIES ${ARG_PROPERTIES})
        endif()
    endif()
endfunction()
