#!/usr/bin/env python3
# Draws admin's toolbar strips and the frame's icon as PNG files beside this
# script. The images are committed; run this again only to change them.
# Each shape is a coverage test in pixel coordinates, sampled 4x4 per pixel,
# so small circles and slanted lines come out smooth at 16 by 15 pixels.
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLES = 4


def hexcolour(text, alpha=255):
    text = text.lstrip('#')
    return (int(text[0:2], 16), int(text[2:4], 16), int(text[4:6], 16), alpha)


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[(0, 0, 0, 0)] * width for _ in range(height)]

    def paint(self, inside, colour, box=None):
        colour = hexcolour(colour) if isinstance(colour, str) else colour
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        for y in range(max(0, int(y0) - 1), min(self.height, int(y1) + 2)):
            for x in range(max(0, int(x0) - 1), min(self.width, int(x1) + 2)):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        if inside(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES):
                            hits += 1
                if hits:
                    self.blend(x, y, colour, hits / (SAMPLES * SAMPLES))

    def blend(self, x, y, colour, coverage):
        r, g, b, a = colour
        a = a / 255 * coverage
        dr, dg, db, da = self.pixels[y][x]
        da /= 255
        out = a + da * (1 - a)
        if out == 0:
            return
        mix = lambda s, d: round((s * a + d * da * (1 - a)) / out)
        self.pixels[y][x] = (mix(r, dr), mix(g, dg), mix(b, db), round(out * 255))

    # Shapes, in pixel coordinates (the pixel (x, y) covers x..x+1, y..y+1).
    def rect(self, x0, y0, x1, y1, colour):
        self.paint(lambda x, y: x0 <= x < x1 and y0 <= y < y1, colour, (x0, y0, x1, y1))

    def frame(self, x0, y0, x1, y1, colour, width=1):
        self.paint(lambda x, y: x0 <= x < x1 and y0 <= y < y1 and not (
            x0 + width <= x < x1 - width and y0 + width <= y < y1 - width), colour, (x0, y0, x1, y1))

    def disc(self, cx, cy, r, colour):
        self.paint(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour, (cx - r, cy - r, cx + r, cy + r))

    def ring(self, cx, cy, r, width, colour):
        self.paint(lambda x, y: (r - width) ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour,
                   (cx - r, cy - r, cx + r, cy + r))

    def line(self, ax, ay, bx, by, width, colour):
        def inside(x, y):
            dx, dy = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy or 1)))
            px, py = ax + t * dx, ay + t * dy
            return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2
        pad = width
        self.paint(inside, colour, (min(ax, bx) - pad, min(ay, by) - pad, max(ax, bx) + pad, max(ay, by) + pad))

    def polygon(self, points, colour):
        def inside(x, y):
            result = False
            j = len(points) - 1
            for i in range(len(points)):
                xi, yi = points[i]
                xj, yj = points[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    result = not result
                j = i
            return result
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.paint(inside, colour, (min(xs), min(ys), max(xs), max(ys)))

    def blit(self, other, left):
        for y in range(other.height):
            for x in range(other.width):
                self.pixels[y][left + x] = other.pixels[y][x]

    def save(self, name):
        raw = b''.join(b'\0' + b''.join(struct.pack('4B', *p) for p in row) for row in self.pixels)
        chunk = lambda kind, data: (struct.pack('>I', len(data)) + kind + data
                                    + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff))
        png = (b'\x89PNG\r\n\x1a\n'
               + chunk(b'IHDR', struct.pack('>IIBBBBB', self.width, self.height, 8, 6, 0, 0, 0))
               + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))
        with open(os.path.join(HERE, name), 'wb') as out:
            out.write(png)


OUTLINE = '#3c4650'
W, H = 16, 15


def button():
    return Canvas(W, H)


def mailbox():
    c = button()
    c.rect(1, 3, 15, 13, '#fdfaf0')
    c.frame(1, 3, 15, 13, OUTLINE)
    c.line(1.5, 3.5, 8, 8.5, 1, OUTLINE)
    c.line(14.5, 3.5, 8, 8.5, 1, OUTLINE)
    c.rect(11, 9, 14, 12, '#d9534f')
    return c


def port_status():
    c = button()
    c.rect(1, 2, 15, 12, '#2b3a42')
    c.rect(2, 3, 14, 11, '#10231a')
    for x0, y0, x1, y1 in ((2.5, 7, 5, 7), (5, 7, 6.5, 4), (6.5, 4, 8.5, 10), (8.5, 10, 10, 7), (10, 7, 13.5, 7)):
        c.line(x0, y0, x1, y1, 1.1, '#4cd964')
    c.rect(6, 12, 10, 13, OUTLINE)
    c.rect(4, 13, 12, 14, OUTLINE)
    return c


def wizard():
    c = button()
    c.line(2.5, 13, 10, 5.5, 2, '#4a3b2a')
    c.line(8.8, 6.7, 10, 5.5, 2, '#f5f5f5')
    star = [(12, 0.5), (12.9, 2.8), (15.3, 3), (13.4, 4.5), (14.1, 6.8), (12, 5.5), (9.9, 6.8),
            (10.6, 4.5), (8.7, 3), (11.1, 2.8)]
    c.polygon(star, '#f0b400')
    c.disc(4, 3, 0.8, '#f0b400')
    c.disc(14, 10, 0.8, '#f0b400')
    return c


def integration():
    c = button()
    c.rect(1, 2, 15, 13, '#b8c2cc')
    c.frame(1, 2, 15, 13, OUTLINE)
    c.rect(2, 3, 14, 5, '#6b7b8c')
    for row, lit in ((6, '#4cd964'), (9, '#f0b400')):
        for col in range(4):
            c.rect(3 + col * 3, row, 5 + col * 3, row + 2, '#2f3b46')
            c.rect(3 + col * 3, row, 4 + col * 3, row + 1, lit if col != 2 else '#6b7b8c')
    return c


def answer_methods():
    c = button()
    c.polygon([(1, 2), (15, 2), (15, 10), (7, 10), (3.5, 13.5), (4.5, 10), (1, 10)], OUTLINE)
    c.polygon([(2, 3), (14, 3), (14, 9), (6.6, 9), (5, 10.8), (5.5, 9), (2, 9)], '#e8f1fb')
    for x in (4, 7, 10):
        c.rect(x, 5, x + 2, 7, '#2f6db5')
    return c


def voice_ports():
    c = button()
    c.rect(2, 1, 14, 14, OUTLINE)
    c.rect(3, 2, 13, 13, '#eceff1')
    c.rect(4, 5, 12, 11, '#2f3b46')
    c.rect(6, 11, 10, 12, '#2f3b46')
    for x in range(5, 12, 2):
        c.rect(x, 5, x + 1, 7, '#e0b040')
    return c


def serial_ports():
    c = button()
    c.polygon([(0, 3), (16, 3), (14, 12), (2, 12)], OUTLINE)
    c.polygon([(1.3, 4), (14.7, 4), (13.2, 11), (2.8, 11)], '#c7ced6')
    for x in range(3, 13, 2):
        c.rect(x, 5, x + 1, 7, '#2f3b46')
    for x in range(4, 12, 2):
        c.rect(x, 8, x + 1, 10, '#2f3b46')
    return c


def notify_groups():
    c = button()
    bell = [(8, 1.5), (10.5, 2.5), (11.5, 5), (12, 9), (14, 11.5), (2, 11.5), (4, 9), (4.5, 5), (5.5, 2.5)]
    c.polygon(bell, '#9a7400')
    c.polygon([(8, 2.5), (10, 3.2), (10.8, 5.2), (11.2, 9.2), (12.4, 10.7), (3.6, 10.7), (4.8, 9.2), (5.2, 5.2),
               (6, 3.2)], '#f5c518')
    c.disc(8, 12.8, 1.5, '#9a7400')
    c.line(6, 4.5, 5.6, 8, 0.8, '#fff2b0')
    return c


def stat_groups():
    c = button()
    c.line(1.5, 1, 1.5, 14, 1, OUTLINE)
    c.line(1, 13.5, 15, 13.5, 1, OUTLINE)
    for x, top, colour in ((3, 8, '#2f6db5'), (6.5, 4, '#d9534f'), (10, 6, '#4caf50')):
        c.rect(x, top, x + 2.5, 13, colour)
    c.rect(13, 10, 15, 13, '#f0b400')
    return c


def ivr_hosts():
    c = button()
    c.rect(4, 1, 12, 14, OUTLINE)
    c.rect(5, 2, 11, 13, '#c7ced6')
    for y in (3.5, 6):
        c.rect(6, y, 10, y + 1.5, '#6b7b8c')
    c.disc(8, 10.5, 1, '#4cd964')
    return c


def holidays():
    c = button()
    c.rect(1, 2, 15, 14, OUTLINE)
    c.rect(2, 6, 14, 13, '#ffffff')
    c.rect(2, 3, 14, 6, '#d9534f')
    c.rect(4, 1, 5, 4, OUTLINE)
    c.rect(11, 1, 12, 4, OUTLINE)
    for row in (7, 9.5):
        for col in range(4):
            c.rect(3 + col * 3, row, 5 + col * 3, row + 1.5, '#9aa5b1')
    c.rect(9, 9.5, 11, 11, '#d9534f')
    return c


def scheduler():
    c = button()
    c.disc(7.5, 7.5, 7, OUTLINE)
    c.disc(7.5, 7.5, 6, '#ffffff')
    c.rect(7, 2, 8, 3, OUTLINE)
    c.rect(7, 12, 8, 13, OUTLINE)
    c.rect(2, 7, 3, 8, OUTLINE)
    c.rect(12, 7, 13, 8, OUTLINE)
    c.rect(7, 4, 8, 8, OUTLINE)
    c.line(7.5, 7.5, 10.5, 10.5, 1.2, '#d9534f')
    c.rect(7, 7, 8, 8, OUTLINE)
    return c


def language():
    c = button()
    c.disc(7.5, 7.5, 7, '#1f5a96')
    c.disc(7.5, 7.5, 6, '#5aa0e0')
    c.polygon([(3, 4), (7, 2.5), (8, 5), (6.5, 8), (4, 7.5)], '#4caf50')
    c.polygon([(9, 8.5), (12.5, 7.5), (12, 11), (9.5, 12.5)], '#4caf50')
    c.rect(1, 7, 14, 8, '#1f5a96')
    c.rect(7, 1, 8, 14, '#1f5a96')
    c.ring(7.5, 7.5, 7, 1, '#1f5a96')
    return c


def system_parameters():
    c = button()
    c.rect(1, 1, 15, 14, OUTLINE)
    c.rect(2, 2, 14, 13, '#ffffff')
    for y, knob in ((4.5, 10), (7.5, 5.5), (10.5, 8.5)):
        c.line(3.5, y, 12.5, y, 1, '#9aa5b1')
        c.rect(knob - 1, y - 1.8, knob + 1, y + 1.8, '#2f6db5')
    return c


def strip(name, drawings):
    canvas = Canvas(W * len(drawings), H)
    for index, draw in enumerate(drawings):
        canvas.blit(draw(), index * W)
    canvas.save(name)


def application_icon(size):
    c = Canvas(size, size)
    s = size / 32
    c.paint(lambda x, y: (max(abs(x - 16 * s) - 12 * s, 0) ** 2 + max(abs(y - 16 * s) - 12 * s, 0) ** 2)
            <= (3.5 * s) ** 2, '#1f5a96')
    c.paint(lambda x, y: (max(abs(x - 16 * s) - 11.5 * s, 0) ** 2 + max(abs(y - 16 * s) - 11.5 * s, 0) ** 2)
            <= (3 * s) ** 2, '#2f74c0')
    c.rect(6 * s, 9 * s, 26 * s, 23 * s, '#ffffff')
    c.line(6.5 * s, 9.5 * s, 16 * s, 17 * s, 1.6 * s, '#1f5a96')
    c.line(25.5 * s, 9.5 * s, 16 * s, 17 * s, 1.6 * s, '#1f5a96')
    c.disc(24 * s, 22 * s, 5 * s, '#f0b400')
    c.rect(22.9 * s, 18.5 * s, 25.1 * s, 22.5 * s, '#ffffff')
    c.disc(24 * s, 24.5 * s, 1.1 * s, '#ffffff')
    c.save('admin%d.png' % size)


def wizard_picture():
    # The picture beside the configuration wizard's informing steps: the
    # toolbar's wand and stars over an evening sky, above the envelope of
    # the program's icon.
    w, h = 110, 220
    c = Canvas(w, h)
    top, bottom = hexcolour('#1f3f6e'), hexcolour('#6fa8dc')
    for y in range(h):
        t = y / (h - 1)
        c.rect(0, y, w, y + 1, tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)))
    c.frame(0, 0, w, h, '#14283f', 2)
    for x, y, r in ((18, 22, 1.6), (88, 14, 1.2), (70, 44, 1), (24, 70, 1.2), (94, 86, 1.6), (12, 118, 1)):
        c.disc(x, y, r, '#fff2b0')

    def star(cx, cy, outer, inner):
        return [(cx + (outer if k % 2 == 0 else inner) * math.sin(k * math.pi / 5),
                 cy - (outer if k % 2 == 0 else inner) * math.cos(k * math.pi / 5)) for k in range(10)]
    c.polygon(star(68, 64, 22, 9), '#9a7400')
    c.polygon(star(68, 64, 19, 7.5), '#f5c518')
    c.line(24, 136, 60, 74, 7, '#4a3b2a')
    c.line(55.5, 81.5, 60, 74, 7, '#f5f5f5')
    c.disc(44, 34, 2.5, '#f5c518')
    c.disc(92, 112, 2.5, '#f5c518')
    c.rect(20, 160, 90, 204, '#ffffff')
    c.frame(20, 160, 90, 204, '#14283f', 2)
    c.line(21, 161, 55, 186, 3, '#1f5a96')
    c.line(89, 161, 55, 186, 3, '#1f5a96')
    c.disc(84, 200, 13, '#f0b400')
    c.rect(81.5, 190, 86.5, 201, '#ffffff')
    c.disc(84, 205.5, 2.6, '#ffffff')
    c.save('wizard235.png')


# Toolbar 120: Edit User Agents, Mailbox; Voice Port Status.
strip('toolbar120.png', [mailbox, port_status])
# Toolbar 191: the wizard, the ten configuration pages in menu order, the
# system parameters.
strip('toolbar191.png', [wizard, integration, answer_methods, voice_ports, serial_ports, notify_groups, stat_groups,
                         ivr_hosts, holidays, scheduler, language, system_parameters])
for size in (16, 24, 32, 48, 64, 128, 256):
    application_icon(size)
wizard_picture()
