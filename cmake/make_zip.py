"""Writes a zip whose bytes depend only on the files' contents: fixed date,
fixed permissions, no extra fields (cmake -E tar stores each file's access
and change times, so every build gave another archive).
    make_zip.py <archive.zip> <folder> <entry>...
An entry that is a folder is stored as an empty folder."""
import os
import sys
import zipfile

DATE = (2000, 1, 1, 0, 0, 0)


def main():
    archive, base, entries = sys.argv[1], sys.argv[2], sys.argv[3:]
    with zipfile.ZipFile(archive, "w") as out:
        for entry in entries:
            path = os.path.join(base, entry)
            is_dir = os.path.isdir(path)
            info = zipfile.ZipInfo(entry + ("/" if is_dir else ""), DATE)
            info.create_system = 0  # MS-DOS attributes, as Windows' own zips
            info.external_attr = 0x10 if is_dir else 0x20
            if is_dir:
                out.writestr(info, b"")
            else:
                info.compress_type = zipfile.ZIP_DEFLATED
                with open(path, "rb") as f:
                    out.writestr(info, f.read(), compresslevel=9)


if __name__ == "__main__":
    main()
