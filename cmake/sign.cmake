# Signs FILES (a comma-separated list of .exe paths) in place with
# osslsigncode, Authenticode SHA-256, when a certificate is given through the
# environment; without one it leaves them unsigned and says so.
#   ZANTOLI_SIGN_PFX            the certificate and key, a PKCS#12 (.pfx) file
#   ZANTOLI_SIGN_PASSWORD       its password (may be empty)
#   ZANTOLI_SIGN_TIMESTAMP_URL  optional RFC 3161 time-stamping service
#   cmake -DFILES=a.exe,b.exe -DWORK=<folder> [-DCOPY_TO=<file>] -P sign.cmake
# COPY_TO keeps a copy of the (one) signed file: the uninstaller that NSIS
# signs while it builds the installer lives nowhere else.
# Never put a certificate into the repository.
set(pfx "$ENV{ZANTOLI_SIGN_PFX}")
if(pfx STREQUAL "")
    message(STATUS "Not signed (no ZANTOLI_SIGN_PFX): ${FILES}")
    return()
endif()
if(NOT EXISTS "${pfx}")
    message(FATAL_ERROR "ZANTOLI_SIGN_PFX names ${pfx}, which does not exist")
endif()
find_program(OSSLSIGNCODE osslsigncode)
if(NOT OSSLSIGNCODE)
    message(FATAL_ERROR "osslsigncode not found (Debian: apt-get install osslsigncode)")
endif()

# The password goes through a file, so it never shows in a process list.
file(MAKE_DIRECTORY "${WORK}")
set(pass_file "${WORK}/sign-password")
file(WRITE "${pass_file}" "$ENV{ZANTOLI_SIGN_PASSWORD}")
set(timestamp)
if(NOT "$ENV{ZANTOLI_SIGN_TIMESTAMP_URL}" STREQUAL "")
    set(timestamp -ts "$ENV{ZANTOLI_SIGN_TIMESTAMP_URL}")
endif()

string(REPLACE "," ";" files "${FILES}")
foreach(file IN LISTS files)
    file(REMOVE "${file}.signed")
    execute_process(
        COMMAND ${OSSLSIGNCODE} sign -pkcs12 "${pfx}" -readpass "${pass_file}" -h sha256
                -n "Zantoli" ${timestamp} -in "${file}" -out "${file}.signed"
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        file(REMOVE "${pass_file}" "${file}.signed")
        message(FATAL_ERROR "Signing ${file} failed:\n${output}")
    endif()
    file(RENAME "${file}.signed" "${file}")
    message(STATUS "Signed ${file}")
    if(COPY_TO)
        configure_file("${file}" "${COPY_TO}" COPYONLY)
    endif()
endforeach()
file(REMOVE "${pass_file}")
