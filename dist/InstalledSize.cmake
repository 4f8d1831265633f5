# Run by CPack after it has packed the .deb (CPACK_POST_BUILD_SCRIPTS): sets Installed-Size
# to what the installed files take, counted as dpkg-gencontrol counts them (each regular file
# and link in KiB rounded up, 1 for everything else). CPack counts a link as the file it
# points at, so the two links in /usr/bin made the programs count twice.
find_program(ZX_DPKG_DEB dpkg-deb REQUIRED)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "\\.deb$")
        continue()
    endif()
    set(tree "${package}.tree")
    file(REMOVE_RECURSE "${tree}")
    execute_process(COMMAND ${ZX_DPKG_DEB} -R "${package}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)

    file(GLOB_RECURSE entries LIST_DIRECTORIES true "${tree}/*")
    set(kib 1) # the top folder
    foreach(entry IN LISTS entries)
        if(entry MATCHES "^${tree}/DEBIAN(/|$)")
            continue()
        endif()
        if(IS_SYMLINK "${entry}")
            file(READ_SYMLINK "${entry}" target)
            string(LENGTH "${target}" size)
        elseif(IS_DIRECTORY "${entry}")
            math(EXPR kib "${kib} + 1")
            continue()
        else()
            file(SIZE "${entry}" size)
        endif()
        math(EXPR kib "${kib} + (${size} + 1023) / 1024")
    endforeach()

    file(READ "${tree}/DEBIAN/control" control)
    string(REGEX REPLACE "Installed-Size: [0-9]+" "Installed-Size: ${kib}" control "${control}")
    file(WRITE "${tree}/DEBIAN/control" "${control}")
    execute_process(COMMAND ${ZX_DPKG_DEB} --root-owner-group -Zgzip -b "${tree}" "${package}"
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE "${tree}")
    message(STATUS "Installed-Size of ${package}: ${kib} KiB")
endforeach()
