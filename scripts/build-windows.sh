#!/usr/bin/env bash
# Builds, with mingw-w64, what is shipped and what is tested on Windows: the
# programs and the test programs in build/mingw/bin, the zip and the
# installer in build/mingw/release. The test command builds with it, and so
# does the workflow before its Windows jobs take those very files.
#   scripts/build-windows.sh
# Signing (cmake/sign.cmake): ZANTOLI_SIGN_PFX names a .pfx file, or
# ZANTOLI_SIGN_PFX_BASE64 holds one (as a CI secret does);
# ZANTOLI_SIGN_PASSWORD; optionally ZANTOLI_SIGN_TIMESTAMP_URL. Without a
# certificate the files are left unsigned.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh
if [ -n "${ZANTOLI_SIGN_PFX_BASE64:-}" ]; then
    pfx=$(mktemp --suffix=.pfx)
    trap 'rm -f "$pfx"' EXIT
    base64 -d <<<"$ZANTOLI_SIGN_PFX_BASE64" >"$pfx"
    export ZANTOLI_SIGN_PFX=$pfx
fi
cmake --preset mingw
cmake --build --preset mingw
cmake --build --preset mingw --target installer
