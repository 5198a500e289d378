# The per-user installer, Zantoli-<version>-x64-setup.exe, beside the zip,
# built with NSIS from the release folder; SHA256SUMS.txt then covers both.
# Its package manager manifest goes into winget/ beside it.
#   cmake --build build/mingw --target installer
set(program_files_x86 "ProgramFiles(x86)")
find_program(ZANTOLI_MAKENSIS makensis
    PATHS "$ENV{${program_files_x86}}/NSIS" "$ENV{ProgramFiles}/NSIS" NO_CMAKE_FIND_ROOT_PATH)
if(NOT ZANTOLI_MAKENSIS)
    message(STATUS "makensis not found: no installer target (Debian: apt-get install nsis)")
    return()
endif()

set(ZANTOLI_INSTALLER ${ZANTOLI_RELEASE_ROOT}/${ZANTOLI_RELEASE_NAME}-setup.exe)
set(script ${PROJECT_SOURCE_DIR}/installer/zantoli-setup.nsi)
# Said once for the installer and its package manager manifest
# (release/winget/): the uninstall entry's key and the Start-menu name.
set(ZANTOLI_PRODUCT_CODE Zantoli)
set(ZANTOLI_START_MENU_NAME Zantoli)
set(ZANTOLI_DOWNLOAD_URL "https://github.com/vurotec/zantoli/releases/download/v${PROJECT_VERSION}"
    CACHE STRING "Where the release's installer is published (the manifest's InstallerUrl)")
set(winget_dir ${ZANTOLI_RELEASE_ROOT}/winget)
# The installer test upgrades over an older version: this release's files
# under the version number before it, unsigned and not shipped.
if(PROJECT_VERSION_PATCH GREATER 0)
    math(EXPR previous_patch "${PROJECT_VERSION_PATCH} - 1")
    set(previous_version ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${previous_patch})
else()
    set(previous_version 0.0.1)
endif()
set(previous_setup previous/Zantoli-${previous_version}-x64-setup.exe)
set(makensis_common ${ZANTOLI_MAKENSIS} -V2 -INPUTCHARSET UTF8
    -DPUBLISHER=${ZANTOLI_PUBLISHER} -DCOPYRIGHT=${ZANTOLI_COPYRIGHT}
    -DSTAGE=${ZANTOLI_RELEASE_STAGE} -DICON=${ZANTOLI_RESOURCES_DIR}/zantoli.ico
    -DPRODUCT_CODE=${ZANTOLI_PRODUCT_CODE} -DSTART_MENU_NAME=${ZANTOLI_START_MENU_NAME})
add_custom_target(installer
    COMMAND ${makensis_common} -DVERSION=${PROJECT_VERSION} -DOUTFILE=${ZANTOLI_INSTALLER}
            "-DSIGN_UNINSTALLER=\"${CMAKE_COMMAND}\" -DFILES=%1 \"-DWORK=${CMAKE_BINARY_DIR}/signing\" \"-DCOPY_TO=${CMAKE_BINARY_DIR}/uninstaller/desinstalar.exe\" -P \"${CMAKE_CURRENT_LIST_DIR}/sign.cmake\""
            ${script}
    COMMAND ${CMAKE_COMMAND} -DFILES=${ZANTOLI_INSTALLER} -DWORK=${CMAKE_BINARY_DIR}/signing
            -P ${CMAKE_CURRENT_LIST_DIR}/sign.cmake
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZANTOLI_RELEASE_ROOT}/previous
    COMMAND ${makensis_common} -DVERSION=${previous_version}
            -DOUTFILE=${ZANTOLI_RELEASE_ROOT}/${previous_setup} ${script}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${winget_dir}
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/make_winget_manifest.py
            ${winget_dir} ${ZANTOLI_INSTALLER}
            version=${PROJECT_VERSION} publisher=${ZANTOLI_PUBLISHER}
            copyright=${ZANTOLI_COPYRIGHT} product_code=${ZANTOLI_PRODUCT_CODE}
            start_menu_name=${ZANTOLI_START_MENU_NAME} download_url=${ZANTOLI_DOWNLOAD_URL}
            license_file=${PROJECT_SOURCE_DIR}/LICENSE
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${ZANTOLI_RELEASE_ROOT}/SHA256SUMS.txt
            -DFILES=${ZANTOLI_RELEASE_ZIP},${ZANTOLI_INSTALLER}
            -P ${CMAKE_CURRENT_LIST_DIR}/sha256sums.cmake
    DEPENDS ${script} ${CMAKE_CURRENT_LIST_DIR}/make_winget_manifest.py
    COMMENT "${ZANTOLI_RELEASE_NAME}-setup.exe"
    VERBATIM)
add_dependencies(installer release)

# What the installer test needs to know of this installer, also where it
# runs without the build tree (the Windows job of the workflow).
file(GENERATE OUTPUT ${ZANTOLI_RELEASE_ROOT}/installer-test.env CONTENT
"setup=${ZANTOLI_RELEASE_NAME}-setup.exe
version=${PROJECT_VERSION}
previous_setup=${previous_setup}
previous_version=${previous_version}
publisher=${ZANTOLI_PUBLISHER}
product_code=${ZANTOLI_PRODUCT_CODE}
")
