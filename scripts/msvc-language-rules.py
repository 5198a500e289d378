"""A check of MSVC's language rules, not an MSVC build: compiles (syntax and
semantics only, /Zs) every C++ source of a mingw-w64 compile database with
clang-cl in MSVC mode (/std:c++17 /W4 /permissive-, -pedantic), against
mingw-w64's headers, and fails on any warning or error.
    msvc-language-rules.py <compile_commands.json> <mingw g++> [jobs]
"""
import json
import os
import re
import shlex
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

CLANG_CL = next((c for c in ("clang-cl", "clang-cl-14", "/usr/lib/llvm-14/bin/clang-cl")
                 if subprocess.run(["sh", "-c", f"command -v {c}"], capture_output=True).returncode == 0),
                None)
RULES = ["--target=x86_64-pc-windows-msvc", "/std:c++17", "/W4", "/permissive-", "/EHsc",
         "/utf-8", "/Zs", "/clang:-pedantic", "-Werror=microsoft-template",
         # What mingw-w64's headers need to be read by an MSVC-mode compiler.
         "/clang:-fgnuc-version=12.2", "/D__MSVCRT_VERSION__=0x1400", "/D__STRICT_ANSI__"]


def mingw_system_includes(gxx):
    """The compiler's own include folders, in its search order."""
    out = subprocess.run([gxx, "-xc++", "-E", "-v", "-"], input="", capture_output=True,
                         text=True).stderr
    block = out.split("#include <...> search starts here:")[1].split("End of search list.")[0]
    return [os.path.normpath(line.strip()) for line in block.splitlines() if line.strip()]


def project_flags(command):
    """The -D and -I flags of one compile command, in clang-cl's spelling."""
    args = shlex.split(command)
    flags = []
    i = 0
    while i < len(args):
        arg = args[i]
        for prefix, spelling in (("-D", "/D"), ("-I", "/I"), ("-isystem", "-imsvc")):
            if arg.startswith(prefix):
                value = arg[len(prefix):] or args[i + 1]
                i += 0 if arg[len(prefix):] else 1
                flags.append(spelling + value)
                break
        i += 1
    return flags


def check(entry, system):
    command = [CLANG_CL, *RULES, "/X", *("-imsvc" + d for d in system),
               *project_flags(entry.get("command") or shlex.join(entry["arguments"])),
               "--", entry["file"]]
    result = subprocess.run(command, cwd=entry["directory"], capture_output=True, text=True)
    findings = [l for l in (result.stdout + result.stderr).splitlines()
                if re.search(r"(warning|error): ", l)]
    if result.returncode != 0 and not findings:
        findings = [f"{entry['file']}: clang-cl exited with {result.returncode}"]
    return findings


def main():
    if CLANG_CL is None:
        sys.exit("msvc-language-rules: clang-cl not found (Debian package clang-tools)")
    database, gxx = sys.argv[1], sys.argv[2]
    jobs = int(sys.argv[3]) if len(sys.argv) > 3 else os.cpu_count()
    entries = [e for e in json.load(open(database))
               if e["file"].endswith(".cpp") and "/googletest/" not in e["file"]]
    system = mingw_system_includes(gxx)
    with ThreadPoolExecutor(jobs) as pool:
        results = list(pool.map(lambda e: check(e, system), entries))
    findings = sorted({f for r in results for f in r})
    print("\n".join(findings))
    print(f"MSVC language rules (clang-cl): {len(entries)} sources, {len(findings)} findings")
    sys.exit(1 if findings or not entries else 0)


if __name__ == "__main__":
    main()
