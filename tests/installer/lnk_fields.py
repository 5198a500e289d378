"""Prints a Windows shortcut's target path, working folder and arguments
as target=..., workdir=..., arguments=... lines, from the .lnk file's LinkInfo and StringData (Shell Link
Binary File Format)."""
import struct
import sys

HAS_ID_LIST, HAS_LINK_INFO, IS_UNICODE = 0x01, 0x02, 0x80
STRING_FLAGS = [0x04, 0x08, 0x10, 0x20, 0x40]  # name, relative path, working dir, arguments, icon


def fields(data):
    flags = struct.unpack_from("<I", data, 0x14)[0]
    pos = 0x4C
    if flags & HAS_ID_LIST:
        pos += 2 + struct.unpack_from("<H", data, pos)[0]
    target = ""
    if flags & HAS_LINK_INFO:
        size, _, info_flags, _, base_offset = struct.unpack_from("<5I", data, pos)
        if info_flags & 1:
            start = pos + base_offset
            target = data[start:data.index(b"\0", start)].decode("cp1252")
        pos += size
    strings = {}
    for flag in STRING_FLAGS:
        if flags & flag:
            count = struct.unpack_from("<H", data, pos)[0]
            width = 2 if flags & IS_UNICODE else 1
            raw = data[pos + 2:pos + 2 + count * width]
            strings[flag] = raw.decode("utf-16-le" if width == 2 else "cp1252").rstrip("\0")
            pos += 2 + count * width
    return target, strings.get(0x10, ""), strings.get(0x20, "")


if __name__ == "__main__":
    with open(sys.argv[1], "rb") as f:
        target, workdir, arguments = fields(f.read())
    print(f"target={target}\nworkdir={workdir}\narguments={arguments}")
