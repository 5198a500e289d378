# The release in build/<preset>/release/:
#   Zantoli-<version>-x64.zip   the folder the operator copies as it is
#                               (AppDir): the three programs, the alias file
#                               we ship, an empty var folder, guide, licence;
#   SHA256SUMS.txt              checksums of the release files;
#   debug/<program>.exe.debug   (mingw) the debug information stripped from
#                               the shipped programs, for crash analysis.
#   cmake --build build/mingw --target release     the zip
#   cmake --build build/mingw --target installer   the zip and the installer
# The zip is written by a Python script (make_zip.py). The programs and the
# installer are signed when a certificate is given (cmake/sign.cmake).
find_package(Python3 COMPONENTS Interpreter)
if(NOT Python3_Interpreter_FOUND)
    message(STATUS "Python 3 not found: no release and installer targets")
    return()
endif()
set(ZANTOLI_RELEASE_ROOT ${CMAKE_BINARY_DIR}/release)
set(ZANTOLI_RELEASE_NAME Zantoli-${PROJECT_VERSION}-x64)
set(ZANTOLI_RELEASE_ZIP ${ZANTOLI_RELEASE_ROOT}/${ZANTOLI_RELEASE_NAME}.zip)
set(ZANTOLI_RELEASE_STAGE ${ZANTOLI_RELEASE_ROOT}/Zantoli)
set(stage ${ZANTOLI_RELEASE_STAGE})
set(debug_dir ${ZANTOLI_RELEASE_ROOT}/debug)

# objcopy stamps its output with the time of the copy, or this date.
set(fixed_date 946684800) # 2000-01-01 00:00:00 UTC, as the zip's entries
set(objcopy ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${fixed_date} ${CMAKE_OBJCOPY})
set(copy_programs)
foreach(program zantoli pellix aliascheck)
    if(MINGW AND CMAKE_OBJCOPY)
        # The debug link names the .debug file, so a debugger finds it.
        list(APPEND copy_programs
            COMMAND ${objcopy} --only-keep-debug
                    $<TARGET_FILE:${program}> ${debug_dir}/${program}.exe.debug
            COMMAND ${objcopy} --strip-all
                    --add-gnu-debuglink=${debug_dir}/${program}.exe.debug
                    $<TARGET_FILE:${program}> ${stage}/${program}.exe)
    else()
        # MSVC keeps its debug information in .pdb files beside the build.
        list(APPEND copy_programs
            COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${program}> ${stage}/${program}.exe)
    endif()
endforeach()

add_custom_target(release
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage} ${debug_dir} ${ZANTOLI_RELEASE_ZIP}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/var ${debug_dir}
    ${copy_programs}
    COMMAND ${CMAKE_COMMAND} -DFILES=${stage}/zantoli.exe,${stage}/pellix.exe,${stage}/aliascheck.exe
            -DWORK=${CMAKE_BINARY_DIR}/signing -P ${CMAKE_CURRENT_LIST_DIR}/sign.cmake
    COMMAND ${CMAKE_COMMAND} -E copy
            ${PROJECT_SOURCE_DIR}/dist/alias.dat ${PROJECT_SOURCE_DIR}/dist/LEEME.txt ${stage}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${stage}/LICENSE.txt
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/make_zip.py
            ${ZANTOLI_RELEASE_ZIP} ${ZANTOLI_RELEASE_ROOT}
            Zantoli/pellix.exe Zantoli/zantoli.exe Zantoli/aliascheck.exe
            Zantoli/alias.dat Zantoli/LEEME.txt Zantoli/LICENSE.txt Zantoli/var
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${ZANTOLI_RELEASE_ROOT}/SHA256SUMS.txt
            -DFILES=${ZANTOLI_RELEASE_ZIP} -P ${CMAKE_CURRENT_LIST_DIR}/sha256sums.cmake
    COMMENT "${ZANTOLI_RELEASE_NAME}.zip"
    VERBATIM)
add_dependencies(release zantoli pellix aliascheck)

include(${CMAKE_CURRENT_LIST_DIR}/installer.cmake)
