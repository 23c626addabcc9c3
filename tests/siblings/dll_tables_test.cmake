# Every DLL of the library, in this build and in the other architecture's
# when it is there, imports only Windows' own DLLs (the toolchain's runtime
# is linked in statically) and exports its names undecorated, as callers
# that look them up by name expect (the i686 stdcall names above all).
# OBJDUMP: a MinGW objdump (it reads both architectures' files);
# FOLDERS: the bin folders, "|" between them.
string(REPLACE "|" ";" folders "${FOLDERS}")
set(dlls zelPickwell40.ocx zelGFX40.dll zelMFC40.dll zelResSrv40.dll zelUni40.dll
    zelGlobals40.dll zelSCls40.dll zelPropPage40.dll PKW40Res.dll)
set(checked 0)
foreach(folder ${folders})
    if(NOT EXISTS "${folder}/zelGFX40.dll")
        continue()
    endif()
    foreach(dll ${dlls})
        execute_process(COMMAND "${OBJDUMP}" -p "${folder}/${dll}"
            RESULT_VARIABLE code OUTPUT_VARIABLE headers ERROR_VARIABLE err)
        if(NOT code EQUAL 0)
            message(FATAL_ERROR "${folder}/${dll}: ${err}")
        endif()
        string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
        foreach(import ${imports})
            if(import MATCHES "libstdc|libgcc|libwinpthread")
                message(FATAL_ERROR "${folder}/${dll} imports the toolchain's runtime: ${import}")
            endif()
        endforeach()
        # Export table rows: "[ordinal] name"; a decorated stdcall name has "@".
        string(REGEX MATCHALL "\n\t\\[ *[0-9]+\\] [^+\n][^\n]*" exports "${headers}")
        foreach(export ${exports})
            if(export MATCHES "@")
                message(FATAL_ERROR "${folder}/${dll} exports a decorated name: ${export}")
            endif()
        endforeach()
        math(EXPR checked "${checked} + 1")
    endforeach()
endforeach()
if(checked EQUAL 0)
    message(FATAL_ERROR "no DLLs found in ${FOLDERS}")
endif()
message(STATUS "${checked} files checked")
