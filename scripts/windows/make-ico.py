#!/usr/bin/env python3
"""Packs PNG pictures into one Windows icon file (.ico), each picture stored as PNG, which
every Windows since Vista reads. The sizes are taken from the pictures themselves.

    make-ico.py OUTPUT.ico PICTURE.png...
"""
import struct
import sys


def png_size(data: bytes, name: str) -> tuple[int, int]:
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise SystemExit(f"make-ico.py: {name} is not a PNG picture")
    return struct.unpack(">II", data[16:24])


def main() -> int:
    if len(sys.argv) < 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    pictures = []
    for name in sys.argv[2:]:
        with open(name, "rb") as f:
            data = f.read()
        width, height = png_size(data, name)
        if width > 256 or height > 256:
            raise SystemExit(f"make-ico.py: {name} is larger than 256 pixels")
        pictures.append((width, height, data))
    pictures.sort(key=lambda p: p[0])

    header = struct.pack("<HHH", 0, 1, len(pictures))
    offset = len(header) + 16 * len(pictures)
    entries = b""
    for width, height, data in pictures:
        # 256 is written as 0 in the directory.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32,
                               len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(header + entries + b"".join(p[2] for p in pictures))
    return 0


if __name__ == "__main__":
    sys.exit(main())
