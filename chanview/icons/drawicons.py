#!/usr/bin/env python3
# Draws Chanview's program icon, for its desktop entry, as PNG files beside
# this script: a panel of port lamps in the colours the monitor shows (idle
# green, talking blue, active amber, recording red). The images are committed;
# run this again only to change them. Each shape is a coverage test sampled
# 4x4 per pixel, so the lamps come out smooth at 16 pixels.
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLES = 4
PANEL = (60, 64, 72)
LAMPS = [(76, 160, 76), (50, 110, 200), (230, 180, 40), (200, 50, 50)]


def draw(size):
    pixels = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def paint(inside, colour):
        for y in range(size):
            for x in range(size):
                hits = sum(1 for sy in range(SAMPLES) for sx in range(SAMPLES)
                           if inside(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES))
                if hits:
                    a = hits / (SAMPLES * SAMPLES)
                    r0, g0, b0, a0 = pixels[y][x]
                    out = a + a0 / 255 * (1 - a)
                    mix = [round((c * a + c0 * a0 / 255 * (1 - a)) / out) for c, c0 in zip(colour, (r0, g0, b0))]
                    pixels[y][x] = (*mix, round(out * 255))

    unit = size / 16
    radius = 2.5 * unit

    def panel(x, y):
        # A rounded square.
        inset, corner = 0.5 * unit, 3 * unit
        cx = min(max(x, inset + corner), size - inset - corner)
        cy = min(max(y, inset + corner), size - inset - corner)
        return (x - cx) ** 2 + (y - cy) ** 2 <= corner ** 2

    paint(panel, PANEL)
    for i, colour in enumerate(LAMPS):
        cx = (4.75 + 6.5 * (i % 2)) * unit
        cy = (4.75 + 6.5 * (i // 2)) * unit
        paint(lambda x, y, cx=cx, cy=cy: (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2, colour)
        light = tuple(min(255, c + 90) for c in colour)
        paint(lambda x, y, cx=cx, cy=cy: (x - cx + 0.8 * unit) ** 2 + (y - cy + 0.8 * unit) ** 2
              <= (0.9 * unit) ** 2, light)
    return pixels


def save(pixels, name):
    size = len(pixels)
    raw = b''.join(b'\0' + bytes(v for pixel in row for v in pixel) for row in pixels)

    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data
                + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff))

    png = (b'\x89PNG\r\n\x1a\n'
           + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
           + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))
    with open(os.path.join(HERE, name), 'wb') as out:
        out.write(png)


for size in (16, 24, 32, 48, 64, 128, 256):
    save(draw(size), 'chanview%d.png' % size)
