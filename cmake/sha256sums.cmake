# Writes OUTPUT in sha256sum's format ("<hash>  <name>", checked with
# `sha256sum -c`) for FILES, a comma-separated list of paths.
#   cmake -DOUTPUT=SHA256SUMS.txt -DFILES=a.zip,b.exe -P sha256sums.cmake
string(REPLACE "," ";" files "${FILES}")
set(lines "")
foreach(file IN LISTS files)
    if(NOT EXISTS "${file}")
        message(FATAL_ERROR "sha256sums: ${file} does not exist")
    endif()
    file(SHA256 "${file}" hash)
    get_filename_component(name "${file}" NAME)
    string(APPEND lines "${hash}  ${name}\n")
endforeach()
file(WRITE "${OUTPUT}" "${lines}")
