# GoogleTest built from its sources with the project's own flags, the same
# way in every build that has tests: native, sanitizers, mingw-w64, MSVC.
# Debian's googletest package puts them in /usr/src/googletest; elsewhere
# set ZANTOLI_GTEST_SOURCE_DIR (cache or environment) to a source tree.
set(_zantoli_gtest_default "/usr/src/googletest")
if(DEFINED ENV{ZANTOLI_GTEST_SOURCE_DIR} AND NOT "$ENV{ZANTOLI_GTEST_SOURCE_DIR}" STREQUAL "")
    set(_zantoli_gtest_default "$ENV{ZANTOLI_GTEST_SOURCE_DIR}")
endif()
set(ZANTOLI_GTEST_SOURCE_DIR "${_zantoli_gtest_default}" CACHE PATH "GoogleTest sources")
if(NOT EXISTS "${ZANTOLI_GTEST_SOURCE_DIR}/CMakeLists.txt")
    message(FATAL_ERROR "GoogleTest sources not found in ${ZANTOLI_GTEST_SOURCE_DIR}: "
                        "set ZANTOLI_GTEST_SOURCE_DIR, or ZANTOLI_BUILD_TESTS=OFF")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${ZANTOLI_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)
