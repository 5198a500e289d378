# zantoli_add_program(<target> [GUI] SOURCES <files> LIBS <libraries> DESCRIPTION <text> [ICON <file.ico>])
# One program of the release: a GUI program (no console window flashes when
# it starts) or a console one, with a wide-character entry point (wWinMain,
# wmain) and its resources.
#
# zantoli_add_program_resources(<target> NAME <name> DESCRIPTION <text> [ICON <file.ico>])
# Gives a Windows program its version information, the application
# manifest (DPI awareness, common controls 6, asInvoker) and, optionally,
# an icon as resource 1. The version is the project's.
set(ZANTOLI_RESOURCES_DIR ${CMAKE_CURRENT_LIST_DIR} CACHE INTERNAL "")
enable_language(RC)


function(zantoli_add_program_resources target)
    cmake_parse_arguments(ZR "" "NAME;DESCRIPTION;ICON" "" ${ARGN})
    if(NOT ZR_NAME OR NOT ZR_DESCRIPTION)
        message(FATAL_ERROR "zantoli_add_program_resources: NAME and DESCRIPTION are required")
    endif()
    set(ZR_V1 ${PROJECT_VERSION_MAJOR})
    set(ZR_V2 ${PROJECT_VERSION_MINOR})
    set(ZR_V3 ${PROJECT_VERSION_PATCH})
    set(ZR_VERSION ${PROJECT_VERSION})
    set(ZR_MANIFEST ${ZANTOLI_RESOURCES_DIR}/app.manifest)
    if(ZR_ICON)
        get_filename_component(icon_path ${ZR_ICON} ABSOLUTE)
        set(ZR_ICON_LINE "1 ICON \"${icon_path}\"")
    else()
        set(ZR_ICON_LINE "")
    endif()
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_program.rc)
    configure_file(${ZANTOLI_RESOURCES_DIR}/program.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
    set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS
                 ${ZR_MANIFEST} ${ZANTOLI_RESOURCES_DIR}/program.rc.in ${icon_path})
    if(MSVC)
        # The manifest comes from the resource; the linker must not add its own.
        target_link_options(${target} PRIVATE /MANIFEST:NO)
    endif()
endfunction()

function(zantoli_add_program target)
    cmake_parse_arguments(ZP "GUI" "DESCRIPTION;ICON" "SOURCES;LIBS" ${ARGN})
    if(ZP_GUI)
        add_executable(${target} WIN32 ${ZP_SOURCES})
    else()
        add_executable(${target} ${ZP_SOURCES})
    endif()
    target_link_libraries(${target} PRIVATE ${ZP_LIBS})
    if(MINGW)
        target_link_options(${target} PRIVATE -municode)
    endif()
    if(ZP_ICON)
        zantoli_add_program_resources(${target} NAME ${target} DESCRIPTION "${ZP_DESCRIPTION}" ICON ${ZP_ICON})
    else()
        zantoli_add_program_resources(${target} NAME ${target} DESCRIPTION "${ZP_DESCRIPTION}")
    endif()
endfunction()
