# Sources of a folder for the system being built for. A piece that differs between Linux and
# Windows is one header with two sources beside it, <Name>Posix.cpp and <Name>Windows.cpp;
# only the one for the target system is compiled.
function(zx_sources out folder)
    file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp ${folder}/*.h)
    if(WIN32)
        list(FILTER sources EXCLUDE REGEX "Posix\\.(cpp|h)$")
    else()
        list(FILTER sources EXCLUDE REGEX "Windows\\.(cpp|h)$")
    endif()
    set(${out} ${sources} PARENT_SCOPE)
endfunction()
