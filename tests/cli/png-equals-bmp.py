#!/usr/bin/env python3
"""Decodes a PNG with nothing but Python's zlib and compares it with a 24-bit BMP.

png-equals-bmp.py PICTURE.png PICTURE.bmp: exit 0 when the PNG is sound (signature, every
chunk's CRC, IHDR first and IEND last, 8-bit RGB, one zlib stream whose checksum holds) and
its pixels equal the bitmap's; otherwise the first difference on stderr and exit 1.
"""
import struct
import sys
import zlib


def png_rows(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("no PNG signature")
    pos, chunks = 8, []
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        (crc,) = struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])
        if len(body) != length or zlib.crc32(kind + body) != crc:
            raise ValueError(f"chunk {kind!r} at {pos}: bad length or CRC")
        chunks.append((kind, body))
        pos += 12 + length
    kinds = [kind for kind, _ in chunks]
    if kinds[0] != b"IHDR" or kinds[-1] != b"IEND" or b"IDAT" not in kinds:
        raise ValueError(f"chunks {kinds}")
    width, height, depth, colour, method, filters, interlace = struct.unpack(">IIBBBBB", chunks[0][1])
    if (depth, colour, method, filters, interlace) != (8, 2, 0, 0, 0):
        raise ValueError("not 8-bit RGB, plain deflate, not interlaced")
    inflater = zlib.decompressobj()  # checks the zlib header and Adler-32
    raw = inflater.decompress(b"".join(body for kind, body in chunks if kind == b"IDAT"))
    if not inflater.eof or inflater.unused_data or len(raw) != height * (1 + 3 * width):
        raise ValueError("zlib stream incomplete, too long, or of the wrong size")
    rows, previous, stride = [], bytearray(3 * width), 3 * width
    for y in range(height):
        kind, row = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        if kind == 2:  # Up, the converter's own: per byte, but at Python's generator speed
            row = bytearray((r + p) & 0xFF for r, p in zip(row, previous))
        for x in range(stride if kind not in (0, 2) else 0):
            a = row[x - 3] if x >= 3 else 0
            b, c = previous[x], previous[x - 3] if x >= 3 else 0
            p = a + b - c
            paeth = min((abs(p - a), 0, a), (abs(p - b), 1, b), (abs(p - c), 2, c))[2]
            row[x] = (row[x] + [0, a, b, (a + b) // 2, paeth][kind]) & 0xFF
        rows.append(bytes(row))
        previous = row
    return width, height, rows


def bmp_rows(data):
    offset, = struct.unpack("<I", data[10:14])
    width, height, _, bits = struct.unpack("<iiHH", data[18:30])
    if data[:2] != b"BM" or bits != 24 or height <= 0:
        raise ValueError("not a bottom-up 24-bit bitmap")
    stride = (3 * width + 3) // 4 * 4
    rows = []
    for y in range(height):
        start = offset + (height - 1 - y) * stride
        bgr = data[start:start + 3 * width]
        rows.append(bytes(v for i in range(0, len(bgr), 3) for v in (bgr[i + 2], bgr[i + 1], bgr[i])))
    return width, height, rows


def main(png_path, bmp_path):
    with open(png_path, "rb") as png, open(bmp_path, "rb") as bmp:
        png_w, png_h, png = png_rows(png.read())
        bmp_w, bmp_h, bmp = bmp_rows(bmp.read())
    if (png_w, png_h) != (bmp_w, bmp_h):
        raise ValueError(f"size {png_w}x{png_h}, bitmap {bmp_w}x{bmp_h}")
    for y, (a, b) in enumerate(zip(png, bmp)):
        if a != b:
            raise ValueError(f"row {y} differs")


if __name__ == "__main__":
    try:
        main(*sys.argv[1:3])
    except (ValueError, struct.error, zlib.error, OSError) as error:
        print(f"{sys.argv[1]}: {error}", file=sys.stderr)
        sys.exit(1)
