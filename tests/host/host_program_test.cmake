# Runs host.exe as a person would and checks what they would look at:
#   1. --set ... --save: a readable file with the values set;
#   2. --load that file: the same picture of the form, and --save again
#      writes the very same file;
#   3. --events --click: the mouse events and the click, with their
#      arguments, in order.
# HOST: host.exe; EMULATOR: the command that runs it ("|" between words);
# WORK: a folder of its own. The control comes from the OCX beside
# host.exe, unregistered (--library), so no other test's registration or
# unregistration can get in the way.
string(REPLACE "|" ";" emulator "${EMULATOR}")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
get_filename_component(bin "${HOST}" DIRECTORY)
set(control zelPickwell40.NuCheckBox40 --library "${bin}/zelPickwell40.ocx")

function(run_host output)
    execute_process(COMMAND ${emulator} "${HOST}" ${control} ${ARGN}
        WORKING_DIRECTORY "${WORK}"
        RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "host ${ARGN}: exit ${code}\n${out}\n${err}")
    endif()
    set(${output} "${out}" PARENT_SCOPE)
endfunction()

function(expect_same a b)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/${a}" "${WORK}/${b}"
        RESULT_VARIABLE differ)
    if(differ)
        message(FATAL_ERROR "${a} and ${b} differ")
    endif()
endfunction()

run_host(out --set Caption=Hi --set Value=1 --set VisualEffectStyle=1 --save first.txt
    --png first.png)
file(READ "${WORK}/first.txt" saved)
foreach(line "Caption = text: \"Hi\"" "Value = i2: 1" "VisualEffectStyle = i4: 1"
             "_ExtentX = i4: " "_ExtentY = i4: ")
    string(FIND "${saved}" "\n${line}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "first.txt has no line \"${line}\":\n${saved}")
    endif()
endforeach()

run_host(out --load first.txt --png loaded.png --save second.txt)
expect_same(first.png loaded.png)
expect_same(first.txt second.txt)

run_host(out --events --click)
set(mouse "\\(Button=1, Shift=0, X=[0-9.]+, Y=[0-9.]+\\)")
if(NOT out MATCHES "event: MouseDown${mouse}\r?\n(.*\n)?event: Click\\(\\)\r?\n(.*\n)?event: MouseUp${mouse}")
    message(FATAL_ERROR "no MouseDown, Click, MouseUp in:\n${out}")
endif()
message(STATUS "host program: saved, loaded, saved the same; events:\n${out}")
