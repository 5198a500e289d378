# shellcheck shell=bash
# Sourced by the scripts that hand paths to Windows programs:
#   . scripts/winpath.sh; winpath /some/file
# A path of this machine as Windows programs see it: through cygpath under
# Git Bash on Windows, and under Wine on the drive Z:, which maps the root.
winpath() {
    case "$(uname -s)" in
    MINGW* | MSYS* | CYGWIN*) cygpath -w "$1" ;;
    *)
        local p=${1//\//\\}
        printf 'Z:%s' "$p"
        ;;
    esac
}
