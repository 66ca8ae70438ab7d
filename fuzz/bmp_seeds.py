#!/usr/bin/env python3
"""Writes the seed files of the BMP fuzz target into fuzz/corpus/bmp/:
one tiny picture per layout the decoder reads."""
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "bmp")


def bmp(width, height, bpp, bits, palette=(), compression=0, header_size=40, masks=None):
    if header_size == 12:
        info = struct.pack("<IHHHH", 12, width, height, 1, bpp)
        table = b"".join(struct.pack("<BBB", c & 255, c >> 8 & 255, c >> 16) for c in palette)
    else:
        info = struct.pack("<IiiHHIIiiII", header_size, width, height, 1, bpp, compression,
                           len(bits), 2835, 2835, len(palette), 0)
        extra = b""
        if masks and header_size == 40:
            extra = struct.pack("<III", *masks)
        elif header_size > 40:
            info += struct.pack("<III", *(masks or (0, 0, 0)))
            info += b"\0" * (header_size - len(info))
        info += extra
        table = b"".join(struct.pack("<I", c) for c in palette)
    offset = 14 + len(info) + len(table)
    head = b"BM" + struct.pack("<IHHI", offset + len(bits), 0, 0, offset)
    return head + info + table + bits


SEEDS = {
    "mono.bmp": bmp(9, 2, 1, bytes([0xAA, 0x80, 0, 0, 0x55, 0, 0, 0]), (0, 0xFFFFFF)),
    "four.bmp": bmp(3, 1, 4, bytes([0x12, 0x30, 0, 0]), (0, 0xFF00FF, 0x123456, 0xFFFFFF)),
    "eight.bmp": bmp(2, 2, 8, bytes([0, 1, 0, 0, 1, 0, 0, 0]), (0xFF00FF, 0x808080)),
    "rle8.bmp": bmp(4, 2, 8, bytes([3, 1, 0, 0, 0, 3, 0, 1, 1, 0, 0, 1]), (0, 0xFF00FF),
                    compression=1),
    "rle4.bmp": bmp(4, 1, 4, bytes([3, 0x12, 0, 2, 0, 1]), (0, 0xFF00FF, 0x00FF00), compression=2),
    "rgb555.bmp": bmp(2, 1, 16, bytes([0x1F, 0x7C, 0xE0, 0x03])),
    "rgb565.bmp": bmp(2, 1, 16, bytes([0x1F, 0xF8, 0xE0, 0x07]), compression=3,
                      masks=(0xF800, 0x07E0, 0x001F)),
    "topdown24.bmp": bmp(2, -2, 24, bytes([1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0])),
    "v5_32.bmp": bmp(1, 1, 32, bytes([0x10, 0x20, 0x30, 0]), header_size=124),
    "v4_bitfields32.bmp": bmp(1, 1, 32, bytes([0x10, 0x20, 0x30, 0x40]), compression=3,
                              header_size=108, masks=(0xFF0000, 0xFF00, 0xFF)),
    "core.bmp": bmp(2, 1, 8, bytes([1, 0, 0, 0]), (0, 0xFF00FF), header_size=12),
}

if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)
