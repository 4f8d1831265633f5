# The Windows programs and the folder they run from.
#
# zx908hf.exe is a windowed program (no console window), zx908hf-cli.exe a console program;
# both carry the program's icon and a version resource. The staged installation (see
# scripts/windows/build.sh) gets, beside the programs in V310/, the Qt libraries they load,
# Qt's platform and style plugins, Qt's Chinese translations, the compiler's run-time
# libraries and a qt.conf that makes Qt look for all of them there.

find_package(Python3 REQUIRED COMPONENTS Interpreter)
if(NOT ZX_MINGW_TRIPLET)
    set(ZX_MINGW_TRIPLET x86_64-w64-mingw32)
endif()

# ---- icon and version resource -------------------------------------------------------
set(ZX_ICON_SIZES 16 24 32 48 64 128 256)
set(ZX_ICON_PNGS)
foreach(size ${ZX_ICON_SIZES})
    list(APPEND ZX_ICON_PNGS ${PROJECT_SOURCE_DIR}/dist/icons/hicolor/${size}x${size}/apps/zx908hf.png)
endforeach()
set(ZX_ICON_FILE ${CMAKE_BINARY_DIR}/windows/zx908hf.ico)
add_custom_command(OUTPUT ${ZX_ICON_FILE}
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/dist/windows/make-ico.py ${ZX_ICON_FILE} ${ZX_ICON_PNGS}
    DEPENDS ${ZX_ICON_PNGS} ${PROJECT_SOURCE_DIR}/dist/windows/make-ico.py
    COMMENT "Packing the program's icon"
    VERBATIM)
add_custom_target(zx_windows_icon DEPENDS ${ZX_ICON_FILE})

function(zx_windows_resource target description)
    set(ZX_RC_NAME ${target})
    set(ZX_RC_FILE_NAME ${target}.exe)
    set(ZX_RC_DESCRIPTION ${description})
    set(rc ${CMAKE_BINARY_DIR}/windows/${target}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/dist/windows/zx908hf.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
    add_dependencies(${target} zx_windows_icon)
endfunction()

set_target_properties(zx908hf PROPERTIES WIN32_EXECUTABLE ON)
zx_windows_resource(zx908hf "ZX-908HF programming tool")
zx_windows_resource(zx908hf-cli "ZX-908HF programming tool, command line")

# ---- the runnable folder -------------------------------------------------------------
set(ZX_RUNTIME_FILES)
foreach(module Core Gui Widgets PrintSupport)
    list(APPEND ZX_RUNTIME_FILES $<TARGET_FILE:Qt6::${module}>)
endforeach()
# The compiler's run-time libraries, which Qt's libraries need as well.
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
        find_file(found_${dll} ${dll} PATHS /usr/${ZX_MINGW_TRIPLET}/lib /usr/${ZX_MINGW_TRIPLET}/bin
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
        set(found ${found_${dll}})
    endif()
    if(NOT EXISTS "${found}")
        message(FATAL_ERROR "The compiler's ${dll} was not found")
    endif()
    list(APPEND ZX_RUNTIME_FILES ${found})
endforeach()
set(ZX_RUNTIME_DIRS)
foreach(file ${ZX_RUNTIME_FILES})
    if(NOT file MATCHES "^\\$<")
        get_filename_component(dir ${file} DIRECTORY)
        list(APPEND ZX_RUNTIME_DIRS ${dir})
    endif()
endforeach()
list(REMOVE_DUPLICATES ZX_RUNTIME_DIRS)
set(ZX_RUNTIME_DIRS ${ZX_RUNTIME_DIRS} CACHE INTERNAL "Folders of the compiler's run-time libraries")

set(ZX_STAGE_COMMANDS
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${ZX_RUNTIME_FILES} ${ZX_PROGRAM_DIR})
foreach(plugin platforms:QWindowsIntegrationPlugin platforms:QOffscreenIntegrationPlugin
               styles:QWindowsVistaStylePlugin)
    string(REPLACE ":" ";" parts ${plugin})
    list(GET parts 0 folder)
    list(GET parts 1 name)
    if(TARGET Qt6::${name})
        list(APPEND ZX_STAGE_COMMANDS
            COMMAND ${CMAKE_COMMAND} -E make_directory ${ZX_PROGRAM_DIR}/${folder}
            COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Qt6::${name}> ${ZX_PROGRAM_DIR}/${folder})
    elseif(name STREQUAL "QWindowsIntegrationPlugin")
        message(FATAL_ERROR "Qt for Windows has no Windows platform plugin")
    endif()
endforeach()

# Qt's own texts in Chinese: the translation files are the same on every system, so the
# build machine's Qt provides them when the Windows Qt has none.
find_file(ZX_QT_CHINESE qtbase_zh_CN.qm
    PATHS ${QT6_INSTALL_PREFIX}/translations /usr/share/qt6/translations
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT ZX_QT_CHINESE)
    message(FATAL_ERROR "qtbase_zh_CN.qm not found (Debian package qt6-translations-l10n)")
endif()
list(APPEND ZX_STAGE_COMMANDS
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZX_PROGRAM_DIR}/translations
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${ZX_QT_CHINESE} ${ZX_PROGRAM_DIR}/translations)

file(WRITE ${CMAKE_BINARY_DIR}/windows/qt.conf
    "[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n")
list(APPEND ZX_STAGE_COMMANDS
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_BINARY_DIR}/windows/qt.conf ${ZX_PROGRAM_DIR})

add_custom_target(zx_windows_stage ALL ${ZX_STAGE_COMMANDS}
    COMMENT "Staging Qt's and the compiler's libraries beside the programs"
    VERBATIM)
add_dependencies(zx_windows_stage zx908hf zx908hf-cli)
