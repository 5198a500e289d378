# The release: build/<preset>/Zantoli-<version>.zip, holding the folder the
# operator copies as it is (AppDir): the three programs, the alias file we
# ship, an empty var folder for the exchange file, and the guide.
#   cmake --build build/mingw --target release
set(ZANTOLI_RELEASE_ROOT ${CMAKE_BINARY_DIR}/release)
set(ZANTOLI_RELEASE_ZIP ${CMAKE_BINARY_DIR}/Zantoli-${PROJECT_VERSION}.zip)
set(stage ${ZANTOLI_RELEASE_ROOT}/Zantoli)

add_custom_target(release
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage} ${ZANTOLI_RELEASE_ZIP}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/var
    COMMAND ${CMAKE_COMMAND} -E copy
            $<TARGET_FILE:zantoli> $<TARGET_FILE:pellix> $<TARGET_FILE:aliascheck>
            ${PROJECT_SOURCE_DIR}/dist/alias.dat ${PROJECT_SOURCE_DIR}/dist/LEEME.txt
            ${stage}
    # A fixed date and order, so the same programs give the same archive.
    COMMAND ${CMAKE_COMMAND} -E chdir ${ZANTOLI_RELEASE_ROOT}
            ${CMAKE_COMMAND} -E tar cf ${ZANTOLI_RELEASE_ZIP} --format=zip
            "--mtime=2000-01-01 00:00:00 UTC"
            Zantoli/pellix.exe Zantoli/zantoli.exe Zantoli/aliascheck.exe
            Zantoli/alias.dat Zantoli/LEEME.txt Zantoli/var
    COMMENT "Zantoli-${PROJECT_VERSION}.zip"
    VERBATIM)
add_dependencies(release zantoli pellix aliascheck)
