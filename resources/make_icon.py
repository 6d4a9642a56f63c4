#!/usr/bin/env python3
"""Draws tamsel.ico: an amber archive box with a lid and a paper label, at 16x16 and 32x32,
256 colours (8 bits per pixel) with a transparency mask. Run it to regenerate the icon."""
import struct
import sys

PALETTE = [
    (0, 0, 0),        # 0 transparent (masked)
    (64, 40, 16),     # 1 outline
    (222, 150, 40),   # 2 box body
    (250, 196, 90),   # 3 highlight
    (170, 100, 24),   # 4 lid
    (250, 250, 244),  # 5 label
    (60, 90, 150),    # 6 label lines
]


def draw(size):
    s = size / 32.0
    px = [[0] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), max(int(y0 * s) + 1, int(y1 * s))):
            for x in range(int(x0 * s), max(int(x0 * s) + 1, int(x1 * s))):
                if 0 <= x < size and 0 <= y < size:
                    px[y][x] = colour

    rect(3, 9, 29, 29, 1)    # body outline
    rect(4, 10, 28, 28, 2)   # body
    rect(4, 10, 28, 12, 3)   # highlight under the lid
    rect(1, 4, 31, 10, 1)    # lid outline
    rect(2, 5, 30, 9, 4)     # lid
    rect(10, 15, 22, 24, 1)  # label outline
    rect(11, 16, 21, 23, 5)  # label
    for y in (18, 21):
        rect(13, y, 19, y + 1, 6)
    return px


def image(size):
    px = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    palette += b'\0' * (4 * (256 - len(PALETTE)))
    row_bytes = (size + 3) & ~3
    xor = b''.join(bytes(px[y]) + b'\0' * (row_bytes - size) for y in reversed(range(size)))
    mask_row = ((size + 31) // 32) * 4
    mask = b''
    for y in reversed(range(size)):
        bits = bytearray(mask_row)
        for x in range(size):
            if px[y][x] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + palette + xor + mask


def main(path):
    images = [image(16), image(32)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((16, 32), images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 8, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'tamsel.ico')
