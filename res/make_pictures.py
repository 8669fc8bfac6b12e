#!/usr/bin/env python3
"""Draws the program's pictures: the icon, the hand cursor and the two
start-screen bitmaps. Run it after changing a drawing; the results are
committed so that a build needs no Python."""
import struct
import pathlib

HERE = pathlib.Path(__file__).resolve().parent


class Canvas:
    def __init__(self, w, h, bg=(255, 255, 255, 0)):
        self.w, self.h = w, h
        self.px = [[bg] * w for _ in range(h)]

    def rect(self, x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.px[y][x] = c

    def frame(self, x0, y0, x1, y1, c):
        self.rect(x0, y0, x1, y0 + 1, c)
        self.rect(x0, y1 - 1, x1, y1, c)
        self.rect(x0, y0, x0 + 1, y1, c)
        self.rect(x1 - 1, y0, x1, y1, c)


def ledger_book(size):
    """A green account book with ruled lines and a pen stroke."""
    c = Canvas(size, size)
    s = size / 32.0
    def r(v):
        return int(round(v * s))
    green, dark, paper, rule, ink = (34, 120, 70, 255), (16, 70, 40, 255), (250, 248, 235, 255), (120, 160, 200, 255), (150, 30, 30, 255)
    c.rect(r(3), r(2), r(29), r(30), dark)
    c.rect(r(4), r(3), r(28), r(29), green)
    c.rect(r(7), r(5), r(26), r(27), paper)
    c.frame(r(7), r(5), r(26), r(27), dark)
    for y in range(9, 26, 4):
        c.rect(r(8), r(y), r(25), r(y) + 1, rule)
    c.rect(r(19), r(6), r(19) + 1, r(26), ink)
    c.rect(r(4), r(3), r(6), r(29), dark)
    return c


def dib(c, with_mask):
    """BITMAPINFOHEADER + 32-bit bottom-up pixels (+ AND mask for icons)."""
    h = c.h * 2 if with_mask else c.h
    head = struct.pack('<IiiHHIIiiII', 40, c.w, h, 1, 32, 0, 0, 0, 0, 0, 0)
    body = bytearray()
    for y in reversed(range(c.h)):
        for x in range(c.w):
            r, g, b, a = c.px[y][x]
            body += bytes((b, g, r, a))
    if with_mask:
        row = ((c.w + 31) // 32) * 4
        for y in reversed(range(c.h)):
            bits = bytearray(row)
            for x in range(c.w):
                if c.px[y][x][3] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            body += bits
    return head + bytes(body)


def write_icon_file(path, canvases, kind=1, hotspot=(0, 0)):
    images = [dib(c, True) for c in canvases]
    out = bytearray(struct.pack('<HHH', 0, kind, len(images)))
    offset = 6 + 16 * len(images)
    for c, img in zip(canvases, images):
        p1, p2 = (1, 32) if kind == 1 else hotspot
        out += struct.pack('<BBBBHHII', c.w % 256, c.h % 256, 0, 0, p1, p2, len(img), offset)
        offset += len(img)
    for img in images:
        out += img
    path.write_bytes(bytes(out))


def write_bmp(path, c):
    """24-bit bottom-up BMP, as LoadBitmap expects."""
    row = (c.w * 3 + 3) & ~3
    pixels = bytearray()
    for y in reversed(range(c.h)):
        line = bytearray()
        for x in range(c.w):
            r, g, b, _ = c.px[y][x]
            line += bytes((b, g, r))
        line += bytes(row - len(line))
        pixels += line
    info = struct.pack('<IiiHHIIiiII', 40, c.w, c.h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    path.write_bytes(head + info + bytes(pixels))


def hand_cursor():
    """A pointing hand, hot spot at the finger tip."""
    c = Canvas(32, 32)
    black, white = (0, 0, 0, 255), (255, 255, 255, 255)
    shape = [
        "     XX         ",
        "    X..X        ",
        "    X..X        ",
        "    X..X        ",
        "    X..XXX      ",
        "    X..X..XXX   ",
        "    X..X..X..XX ",
        "XXX X..X..X..X.X",
        "X..XX........X.X",
        "X...X..........X",
        " X.............X",
        " X.............X",
        "  X............X",
        "  X...........X ",
        "   X..........X ",
        "   X.........X  ",
        "    X........X  ",
        "    XXXXXXXXXX  ",
    ]
    for y, line in enumerate(shape):
        for x, ch in enumerate(line):
            if ch == 'X':
                c.px[y][x] = black
            elif ch == '.':
                c.px[y][x] = white
    return c


def intro_picture():
    """291 x 162: a ruled register page beside the account book."""
    c = Canvas(291, 162, (255, 255, 255, 255))
    paper, rule, head, ink = (250, 248, 235, 255), (150, 180, 215, 255), (34, 120, 70, 255), (40, 40, 40, 255)
    c.rect(10, 10, 281, 152, paper)
    c.frame(10, 10, 281, 152, head)
    c.rect(11, 11, 280, 30, head)
    for y in range(44, 150, 14):
        c.rect(11, y, 280, y + 1, rule)
    for x in (30, 80, 110, 200, 240):
        c.rect(x, 30, x + 1, 151, rule)
    # A few pen strokes standing for entries.
    for i, y in enumerate(range(34, 140, 14)):
        c.rect(36, y + 4, 74, y + 6, ink)
        c.rect(116, y + 4, 150 + (i * 13) % 40, y + 6, ink)
        c.rect(246 - (i * 7) % 20, y + 4, 274, y + 6, ink)
    book = ledger_book(32)
    for y in range(32):
        for x in range(32):
            if book.px[y][x][3]:
                c.px[y + 116][x + 245] = book.px[y][x]
    return c


def notice_bar():
    """320 x 50: a green band with a row of coins."""
    c = Canvas(320, 50, (34, 120, 70, 255))
    c.rect(0, 0, 320, 3, (16, 70, 40, 255))
    c.rect(0, 47, 320, 50, (16, 70, 40, 255))
    gold, rim = (230, 190, 60, 255), (160, 120, 20, 255)
    for cx in range(25, 320, 45):
        for y in range(50):
            for x in range(320):
                d = (x - cx) ** 2 + (y - 25) ** 2
                if d <= 144:
                    c.px[y][x] = rim if d > 100 else gold
    return c


def main():
    write_icon_file(HERE / 'LedgerIcon.ico', [ledger_book(32), ledger_book(16)])
    write_icon_file(HERE / 'hand.cur', [hand_cursor()], kind=2, hotspot=(5, 0))
    write_bmp(HERE / 'IntroScr.bmp', intro_picture())
    write_bmp(HERE / 'NoticeBar.bmp', notice_bar())


if __name__ == '__main__':
    main()
