#!/usr/bin/env python3
"""Writes PNG fixtures for the PNG reader's tests with an encoder independent of ours.

Usage: pngmake.py <output folder>. Each case NAME gives NAME.png and, for images the reader must
accept, NAME.raw holding the expected pixels (RGB or RGBA rows, top-down).
"""
import os
import struct
import sys
import zlib

ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]


def pixel(x, y, c, channels):
    if channels == 4 and c == 3:
        return (x * 29 + y * 7 + 128) & 0xFF
    return (x * 37 + y * 101 + c * 59 + ((x * y) % 7) * 13 + ((x ^ y) & 3) * 40) & 0xFF


def image(width, height, channels):
    return [bytes(pixel(x, y, c, channels) for x in range(width) for c in range(channels)) for y in range(height)]


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filter_row(kind, row, prior, bpp):
    out = bytearray([kind])
    for i, value in enumerate(row):
        left = row[i - bpp] if i >= bpp else 0
        up = prior[i]
        upleft = prior[i - bpp] if i >= bpp else 0
        predictor = [0, left, up, (left + up) >> 1, paeth(left, up, upleft)][kind]
        out.append((value - predictor) & 0xFF)
    return bytes(out)


def filtered(rows, bpp, filter_kind):
    data = bytearray()
    prior = bytes(len(rows[0])) if rows else b""
    for index, row in enumerate(rows):
        kind = index % 5 if filter_kind == "mixed" else filter_kind
        data += filter_row(kind, row, prior, bpp)
        prior = row
    return bytes(data)


def scanlines(rows, width, height, bpp, interlace, filter_kind):
    if not interlace:
        return filtered(rows, bpp, filter_kind)
    data = bytearray()
    for start_x, start_y, step_x, step_y in ADAM7:
        pass_rows = []
        for y in range(start_y, height, step_y):
            pass_rows.append(b"".join(rows[y][x * bpp:(x + 1) * bpp] for x in range(start_x, width, step_x)))
        if pass_rows and pass_rows[0]:
            data += filtered(pass_rows, bpp, filter_kind)
    return bytes(data)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(width, height, color_type, depth, interlace, payload, extra=(), idat_split=0, cgbi=False, empty_idat=False):
    out = bytearray(b"\x89PNG\r\n\x1a\n")
    if cgbi:
        out += chunk(b"CgBI", b"\x50\x00\x20\x02")
    out += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, color_type, 0, 0, interlace))
    for kind, data in extra:
        out += chunk(kind, data)
    if payload is None:
        stream = b""
    elif cgbi:
        compressor = zlib.compressobj(9, zlib.DEFLATED, -15)
        stream = compressor.compress(payload) + compressor.flush()
    else:
        stream = zlib.compress(payload, 9)
    pieces = [stream] if payload is not None else []
    if empty_idat:
        pieces.insert(0, b"")
    if idat_split:
        pieces = [stream[i:i + idat_split] for i in range(0, len(stream), idat_split)]
    for piece in pieces:
        out += chunk(b"IDAT", piece)
    out += chunk(b"IEND", b"")
    return bytes(out)


def write(folder, name, data, raw=None):
    with open(os.path.join(folder, name + ".png"), "wb") as f:
        f.write(data)
    if raw is not None:
        with open(os.path.join(folder, name + ".raw"), "wb") as f:
            f.write(raw)


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    # The decode matrix: colour type, size, interlace and filter.
    for channels, color_type in ((3, 2), (4, 6)):
        for width, height in ((1, 1), (3, 5), (33, 17), (257, 1)):
            rows = image(width, height, channels)
            for interlace in (0, 1):
                for filter_kind in (0, 1, 2, 3, 4, "mixed"):
                    payload = scanlines(rows, width, height, channels, interlace, filter_kind)
                    name = "m_%d_%dx%d_i%d_f%s" % (channels, width, height, interlace, filter_kind)
                    # Small IDAT pieces make the reader inflate across chunk borders.
                    write(folder, name, png(width, height, color_type, 8, interlace, payload, idat_split=7),
                          b"".join(rows))

    rows = image(6, 4, 3)
    rgb_payload = scanlines(rows, 6, 4, 3, 0, "mixed")
    write(folder, "chunks_skipped", png(6, 4, 2, 8, 0, rgb_payload, extra=[(b"tEXt", b"Comment\x00hi"),
                                                                       (b"gAMA", b"\x00\x00\xb1\x8f")]),
          b"".join(rows))

    # Refused images.
    grey = bytes([0, 10, 20]) * 2
    write(folder, "refuse_grey", png(2, 2, 0, 8, 0, grey))
    write(folder, "refuse_grey_alpha", png(2, 2, 4, 8, 0, bytes([0, 1, 2, 3, 4]) * 2))
    write(folder, "refuse_palette", png(2, 2, 3, 8, 0, bytes([0, 0, 1]) * 2, extra=[(b"PLTE", bytes(range(6)))]))
    write(folder, "refuse_trns_rgb", png(6, 4, 2, 8, 0, rgb_payload, extra=[(b"tRNS", b"\x00\x01\x00\x02\x00\x03")]))
    wide_rows = [bytes(v & 0xFF for v in range(12)) for _ in range(2)]
    write(folder, "refuse_rgb16", png(2, 2, 2, 16, 0, filtered(wide_rows, 6, 0)))
    write(folder, "refuse_interlace2", png(6, 4, 2, 8, 2, rgb_payload))

    # The optimiser's variant: BGRA pixels, raw deflate, a CgBI chunk first.
    rows = image(5, 3, 4)
    bgra = [b"".join(bytes((r[i + 2], r[i + 1], r[i], r[i + 3])) for i in range(0, len(r), 4)) for r in rows]
    write(folder, "cgbi_rgba", png(5, 3, 6, 8, 0, filtered(bgra, 4, "mixed"), cgbi=True), b"".join(rows))

    # An empty IDAT before the data, and one with no data at all.
    write(folder, "cgbi_empty_idat", png(5, 3, 6, 8, 0, filtered(bgra, 4, "mixed"), cgbi=True, empty_idat=True),
          b"".join(rows))
    write(folder, "cgbi_only_empty_idat", png(5, 3, 6, 8, 0, None, cgbi=True, empty_idat=True))

    # A header that promises 3x16777221 pixels over a few dozen bytes of a stream, and the most
    # compressible image deflate can give, which must still decode.
    tall = filtered([bytes(12)] * 64, 4, 0)
    write(folder, "forged_tall", png(3, 16777221, 6, 8, 0, tall))
    write(folder, "forged_tall_cgbi", png(3, 16777221, 6, 8, 0, tall, cgbi=True))
    # Padding before the data makes the file long enough; the data itself still is not.
    write(folder, "forged_tall_padded", png(3, 16777221, 6, 8, 0, tall, extra=[(b"tEXt", b"Pad\x00" + bytes(250000))]))
    write(folder, "zeros_1024", png(1024, 1024, 6, 8, 0, bytes(1024 * (1 + 4 * 1024))))

    # A big image for damage tests: truncated and corrupted copies are made by the test.
    rows = image(64, 48, 4)
    write(folder, "damage_base", png(64, 48, 6, 8, 0, scanlines(rows, 64, 48, 4, 0, "mixed"), idat_split=300),
          b"".join(rows))


if __name__ == "__main__":
    main()
