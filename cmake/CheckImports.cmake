# Checks that every DLL a staged Windows program or library imports is either part of Windows
# or shipped in the staged folder. Run as a script:
#   cmake -DSTAGE=<stage folder> -DOBJDUMP=<x86_64-w64-mingw32-objdump> -P CheckImports.cmake
# Fails with the list of what is missing.
cmake_policy(SET CMP0057 NEW) # if(IN_LIST)

# Libraries every Windows since 7 has in its system folder (compared without case).
set(system_dlls
    advapi32 authz bcrypt comctl32 comdlg32 crypt32 d2d1 d3d11 d3d12 d3d9 dwmapi dwrite dxgi gdi32
    imm32 iphlpapi kernel32 mpr msvcrt netapi32 ntdll ole32 oleaut32 opengl32 setupapi shcore
    shell32 shlwapi uiautomationcore user32 userenv uxtheme version winmm winspool.drv ws2_32
    wtsapi32)

file(GLOB_RECURSE binaries ${STAGE}/*.exe ${STAGE}/*.dll)
if(NOT binaries)
    message(FATAL_ERROR "no programs in ${STAGE}")
endif()
set(shipped)
foreach(binary ${binaries})
    get_filename_component(name ${binary} NAME)
    string(TOLOWER ${name} name)
    list(APPEND shipped ${name})
endforeach()

set(missing)
set(checked 0)
foreach(binary ${binaries})
    execute_process(COMMAND ${OBJDUMP} -p ${binary} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "${OBJDUMP} cannot read ${binary}")
    endif()
    string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${dump}")
    foreach(import ${imports})
        string(REGEX REPLACE "DLL Name: " "" dll "${import}")
        string(STRIP "${dll}" dll)
        string(TOLOWER "${dll}" dll)
        string(REGEX REPLACE "\\.dll$" "" base "${dll}")
        math(EXPR checked "${checked} + 1")
        if(dll IN_LIST shipped OR base IN_LIST system_dlls OR dll IN_LIST system_dlls
           OR dll MATCHES "^api-ms-win-")
            continue()
        endif()
        file(RELATIVE_PATH where ${STAGE} ${binary})
        list(APPEND missing "${where} imports ${dll}")
    endforeach()
endforeach()
if(missing)
    list(JOIN missing "\n  " text)
    message(FATAL_ERROR "DLLs neither part of Windows nor shipped:\n  ${text}")
endif()
list(LENGTH binaries count)
message(STATUS "${count} files, ${checked} imports: each is Windows' own or shipped")
