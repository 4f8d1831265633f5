# Installation and the Debian package.
#
# `cmake --install BUILD --prefix P` lays out a working installation:
#   P/lib/zx908hf/V310/zx908hf, zx908hf-cli, Init/*.dat   the programs and their templates
#   P/lib/zx908hf/Version.ini                              the version list
#   P/lib/zx908hf/language/mysetup.ini                     the settings as shipped
#   P/lib/zx908hf/installation.ini                         the mark of a shared installation
#   P/bin/zx908hf, P/bin/zx908hf-cli                       links to the programs
# plus the desktop entry, MIME type, icons, AppStream metainfo, manual pages, bash completion
# and the copyright file under P/share. The programs find their installation from their own
# real location, so the links in P/bin lead them there. P/lib/zx908hf/installation.ini marks
# the installation as shared: the programs never write into it, and each user (root too)
# gets a copy of the settings in ~/.config/zx908hf.
#
# CPack makes zx908hf_<version>_<arch>.deb of the same installation (scripts/package.sh).

set(ZX_PACKAGE_MAINTAINER "ZX-908HF programming tool developers <maintainers@users.noreply.c-seed-bcae545f.example>"
    CACHE STRING "Maintainer of the Debian package (name <address>)")
set(ZX_PROJECT_URL "https://github.com/zx908hf/zx908hf"
    CACHE STRING "Home page named by the package and the AppStream metainfo")
set(ZX_SCREENSHOT_URL "https://raw.githubusercontent.com/zx908hf/zx908hf/main/docs"
    CACHE STRING "Where the screenshots of docs/ are published (AppStream needs web addresses)")
set(ZX_APPSTREAM_ID "io.github.zx908hf.zx908hf" CACHE STRING "AppStream component id")
set(ZX_RELEASE_DATE "2026-12-09")
set(ZX_RELEASE_DATE_RFC2822 "Wed, 09 Dec 2026 00:00:00 +0000")

set(ZX_INSTALL_ROOT lib/zx908hf)
set(ZX_INSTALL_PROGRAM_DIR ${ZX_INSTALL_ROOT}/V310)
set(ZX_DIST_DIR ${PROJECT_SOURCE_DIR}/dist)
set(ZX_DIST_BUILD_DIR ${PROJECT_BINARY_DIR}/dist)

# ---- the installation the programs expect --------------------------------------------
install(TARGETS zx908hf zx908hf-cli RUNTIME DESTINATION ${ZX_INSTALL_PROGRAM_DIR})
install(DIRECTORY ${ZX_PROGRAM_DIR}/Init DESTINATION ${ZX_INSTALL_PROGRAM_DIR}
        FILES_MATCHING PATTERN "*.dat")
install(FILES ${PROJECT_SOURCE_DIR}/data/Version.ini DESTINATION ${ZX_INSTALL_ROOT})
# The shipped settings, not the staged ones a test run may have changed, and the mark of an
# installation the programs never write into (each user's settings go to ~/.config/zx908hf).
install(FILES ${PROJECT_SOURCE_DIR}/data/mysetup.ini DESTINATION ${ZX_INSTALL_ROOT}/language)
install(FILES ${PROJECT_SOURCE_DIR}/data/installation.ini DESTINATION ${ZX_INSTALL_ROOT})
foreach(program zx908hf zx908hf-cli)
    install(CODE "
        set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
        file(MAKE_DIRECTORY \"\${bin}\")
        file(REMOVE \"\${bin}/${program}\")
        file(CREATE_LINK ../${ZX_INSTALL_PROGRAM_DIR}/${program} \"\${bin}/${program}\" SYMBOLIC)
        message(STATUS \"Installing: \${bin}/${program} -> ../${ZX_INSTALL_PROGRAM_DIR}/${program}\")")
endforeach()

# ---- desktop integration -------------------------------------------------------------
install(FILES ${ZX_DIST_DIR}/zx908hf.desktop DESTINATION share/applications)
install(FILES ${ZX_DIST_DIR}/zx908hf-mime.xml DESTINATION share/mime/packages RENAME zx908hf.xml)
install(FILES ${ZX_DIST_DIR}/icons/zx908hf.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${ZX_DIST_DIR}/icons/hicolor/${size}x${size}/apps/zx908hf.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
configure_file(${ZX_DIST_DIR}/zx908hf.metainfo.xml.in
               ${ZX_DIST_BUILD_DIR}/${ZX_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${ZX_DIST_BUILD_DIR}/${ZX_APPSTREAM_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${ZX_DIST_DIR}/completion/zx908hf ${ZX_DIST_DIR}/completion/zx908hf-cli
        DESTINATION share/bash-completion/completions)

# ---- manual pages and documents, compressed as Debian wants them --------------------
find_program(ZX_GZIP gzip REQUIRED)
configure_file(${ZX_DIST_DIR}/changelog.in ${ZX_DIST_BUILD_DIR}/changelog @ONLY)
set(ZX_COMPRESSED)
foreach(source man/zx908hf.1 man/zx908hf-cli.1 changelog)
    if(source STREQUAL "changelog")
        set(input ${ZX_DIST_BUILD_DIR}/changelog)
    else()
        set(input ${ZX_DIST_DIR}/${source})
    endif()
    get_filename_component(name ${source} NAME)
    set(output ${ZX_DIST_BUILD_DIR}/${name}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${ZX_GZIP} -9 -n -c ${input} > ${output}
        DEPENDS ${input}
        COMMENT "Compressing ${name}"
        VERBATIM)
    list(APPEND ZX_COMPRESSED ${output})
endforeach()
add_custom_target(zx_dist_documents ALL DEPENDS ${ZX_COMPRESSED})
install(FILES ${ZX_DIST_BUILD_DIR}/zx908hf.1.gz ${ZX_DIST_BUILD_DIR}/zx908hf-cli.1.gz
        DESTINATION share/man/man1)
install(FILES ${ZX_DIST_DIR}/copyright ${ZX_DIST_BUILD_DIR}/changelog.gz
        DESTINATION share/doc/zx908hf)

# ---- the Debian package --------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zx908hf)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ZX-908HF programming tool developers")
set(CPACK_PACKAGE_CONTACT ${ZX_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZX_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZX_PROJECT_URL})
# Libraries from dpkg-shlibdeps; beside them Qt's translations (its dialogs in Chinese) and
# the platform plugins the desktop program needs to show a window.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
# Without a font for Chinese the Chinese interface and printed sheets show empty boxes.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-wqy-microhei")
# Installed-Size as dpkg counts it (dist/InstalledSize.cmake).
set(CPACK_POST_BUILD_SCRIPTS ${ZX_DIST_DIR}/InstalledSize.cmake)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"programming tool for the ZX-908HF HF mobile transceiver
Edit the configuration of the ZX-908HF, an HF multi-mode mobile transceiver
for 25.615-30.105 MHz (AM, FM, USB, LSB, CW): six channel groups of up to 60
channels, emergency channels, band, option features and the two-line local
information. Keep it in data files and read or write the radio over a
9600-baud serial cable.
.
The package holds the desktop program zx908hf (English and Chinese), the
command-line tool zx908hf-cli for scripting and batch programming, and a
virtual radio on a pseudo-terminal to try everything without hardware.")
include(CPack)
