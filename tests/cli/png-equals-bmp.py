#!/usr/bin/env python3
"""Decodes a PNG with nothing but Python's zlib and compares it with a 24-bit BMP.

png-equals-bmp.py PICTURE.png PICTURE.bmp: exit 0 when the PNG is sound (signature, every
chunk's CRC, IHDR first and IEND last, one zlib stream whose checksum holds), of the form the
converter writes, and its pixels equal the bitmap's; then prints its form on stdout, such as
"palette 4 bits 7 colours". The form: a picture of at most 256 colours is a palette PNG
(colour type 3; PLTE before the data, each colour once, every entry used) at the fewest bits
a pixel of 1, 2, 4 and 8 that hold its colours; any other is 8-bit RGB (colour type 2).
Otherwise the first fault on stderr and exit 1.
"""
import struct
import sys
import zlib


def chunks_of(data):
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
    return chunks


def unfilter(raw, height, stride, unit):
    """The rows' bytes, each row's filter (None, Sub, Up, Average, Paeth) undone; `unit` is
    how many bytes back a pixel's left neighbour lies (1 for palette indices)."""
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind, row = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        if kind > 4:
            raise ValueError(f"row {y}: filter {kind}")
        if kind == 2:  # Up, the converter's own: per byte, but at Python's generator speed
            row = bytearray((r + p) & 0xFF for r, p in zip(row, previous))
        for x in range(stride if kind not in (0, 2) else 0):
            a = row[x - unit] if x >= unit else 0
            b, c = previous[x], previous[x - unit] if x >= unit else 0
            p = a + b - c
            paeth = min((abs(p - a), 0, a), (abs(p - b), 1, b), (abs(p - c), 2, c))[2]
            row[x] = (row[x] + [0, a, b, (a + b) // 2, paeth][kind]) & 0xFF
        rows.append(bytes(row))
        previous = row
    return rows


def png_rows(data):
    """Width, height, rows of RGB triples, and the PNG's form."""
    chunks = chunks_of(data)
    width, height, depth, colour, method, filters, interlace = struct.unpack(">IIBBBBB", chunks[0][1])
    if (method, filters, interlace) != (0, 0, 0) or (colour, depth) not in (
            (2, 8), (3, 1), (3, 2), (3, 4), (3, 8)):
        raise ValueError(f"colour type {colour} at {depth} bits, or not plain deflate, or interlaced")
    kinds = [kind for kind, _ in chunks]
    palette = []
    if colour == 3:
        if kinds.count(b"PLTE") != 1 or kinds.index(b"PLTE") > kinds.index(b"IDAT"):
            raise ValueError("a palette PNG needs one PLTE before its data")
        entries = chunks[kinds.index(b"PLTE")][1]
        if not entries or len(entries) % 3 or len(entries) // 3 > 1 << depth:
            raise ValueError(f"PLTE of {len(entries)} bytes at {depth} bits")
        palette = [entries[i:i + 3] for i in range(0, len(entries), 3)]
    stride = (width * depth * (3 if colour == 2 else 1) + 7) // 8
    inflater = zlib.decompressobj()  # checks the zlib header and Adler-32
    raw = inflater.decompress(b"".join(body for kind, body in chunks if kind == b"IDAT"))
    if not inflater.eof or inflater.unused_data or len(raw) != height * (1 + stride):
        raise ValueError("zlib stream incomplete, too long, or of the wrong size")
    rows = unfilter(raw, height, stride, 3 if colour == 2 else 1)
    if colour == 2:
        return width, height, rows, "rgb"
    used, pixels = set(), []
    mask, per_byte = (1 << depth) - 1, 8 // depth
    for y, row in enumerate(rows):
        indices = [(row[x // per_byte] >> (8 - depth - depth * (x % per_byte))) & mask
                   for x in range(width)]
        padding = [(row[-1] >> (8 - depth - depth * k)) & mask
                   for k in range(width % per_byte, per_byte)] if width % per_byte else []
        if max(indices) >= len(palette) or any(padding):
            raise ValueError(f"row {y}: an index past the palette, or padding bits set")
        used.update(indices)
        pixels.append(b"".join(palette[i] for i in indices))
    if len(used) != len(palette) or len(set(palette)) != len(palette):
        raise ValueError(f"palette of {len(palette)} entries, {len(used)} used, {len(set(palette))} different")
    return width, height, pixels, f"palette {depth} bits {len(palette)} colours"


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
        png_w, png_h, png, form = png_rows(png.read())
        bmp_w, bmp_h, bmp = bmp_rows(bmp.read())
    if (png_w, png_h) != (bmp_w, bmp_h):
        raise ValueError(f"size {png_w}x{png_h}, bitmap {bmp_w}x{bmp_h}")
    for y, (a, b) in enumerate(zip(png, bmp)):
        if a != b:
            raise ValueError(f"row {y} differs")
    colours = {row[i:i + 3] for row in bmp for i in range(0, len(row), 3)}
    fewest = next((bits for bits in (1, 2, 4, 8) if len(colours) <= 1 << bits), None)
    expected = f"palette {fewest} bits {len(colours)} colours" if fewest else "rgb"
    if form != expected:
        raise ValueError(f"{form}, where the picture's colours make it {expected}")
    print(form)


if __name__ == "__main__":
    try:
        main(*sys.argv[1:3])
    except (ValueError, struct.error, zlib.error, OSError) as error:
        print(f"{sys.argv[1]}: {error}", file=sys.stderr)
        sys.exit(1)
