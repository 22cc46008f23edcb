#!/usr/bin/env python3
"""Build Vornel's icons and bitmaps from the text grids in res/art/.

Run from the repository root:

    python3 res/art/make_art.py

Each res/art/<name>.txt holds one or more pixel grids: one line per row, one
character per pixel. Lines starting with '#' are comments; grids are separated
by blank lines. An icon source holds two grids (16x16 and 32x32, in either
order); a bitmap source holds one. The output is written to res/icons/<name>.ico
and res/bitmaps/<name>.bmp and is byte-for-byte reproducible. The two large
button faces (bitmaps 18 and 19) have no source of their own: they are the
faces 16 and 17 with every pixel doubled.

Character legend (the standard 16-colour palette; the number is the palette
index written into the files):

    char  index  colour     RGB
    K      0     black      (  0,   0,   0)
    m      1     maroon     (128,   0,   0)   key colour in bitmaps
    g      2     green      (  0, 128,   0)
    o      3     olive      (128, 128,   0)   key colour in bitmaps
    n      4     navy       (  0,   0, 128)
    p      5     purple     (128,   0, 128)
    t      6     teal       (  0, 128, 128)
    s      7     silver     (192, 192, 192)
    d      8     grey       (128, 128, 128)   ("dark grey")
    R      9     red        (255,   0,   0)   key colour in bitmaps
    G     10     lime       (  0, 255,   0)
    Y     11     yellow     (255, 255,   0)   key colour in bitmaps
    B     12     blue       (  0,   0, 255)
    F     13     fuchsia    (255,   0, 255)
    C     14     aqua       (  0, 255, 255)
    W     15     white      (255, 255, 255)
    .      -     transparent (icons only: AND-mask bit 1, colour index 0)

The button-face bitmaps are recoloured at run time by exact colour
substitution of the four key colours (red, yellow, maroon, olive), so in the
bitmaps those colours appear only in the ball; the checks at the end of this
script enforce that, the bevel of the faces, the 2x doubling of the large
faces, the palette and the icon directory layout.
"""

import os
import struct
import sys

PALETTE = [
    (0, 0, 0),        # 0 black
    (128, 0, 0),      # 1 maroon
    (0, 128, 0),      # 2 green
    (128, 128, 0),    # 3 olive
    (0, 0, 128),      # 4 navy
    (128, 0, 128),    # 5 purple
    (0, 128, 128),    # 6 teal
    (192, 192, 192),  # 7 silver
    (128, 128, 128),  # 8 grey
    (255, 0, 0),      # 9 red
    (0, 255, 0),      # 10 lime
    (255, 255, 0),    # 11 yellow
    (0, 0, 255),      # 12 blue
    (255, 0, 255),    # 13 fuchsia
    (0, 255, 255),    # 14 aqua
    (255, 255, 255),  # 15 white
]

LEGEND = {
    'K': 0, 'm': 1, 'g': 2, 'o': 3, 'n': 4, 'p': 5, 't': 6, 's': 7,
    'd': 8, 'R': 9, 'G': 10, 'Y': 11, 'B': 12, 'F': 13, 'C': 14, 'W': 15,
}
TRANSPARENT = '.'

BLACK, MAROON, OLIVE, SILVER, GREY, RED, YELLOW, WHITE = 0, 1, 3, 7, 8, 9, 11, 15
KEY_COLOURS = {RED, YELLOW, MAROON, OLIVE}

# Icons: res/art/<name>.txt -> res/icons/<name>.ico (the number is the resource id)
ICONS = [
    'app_9', 'desk_12', 'hotkey_only_13', 'task_manager_14', 'floating_35',
    'tray_36', 'window_and_tray_37', 'app_pressed_40', 'minimize_all_41',
    'generic_window_93', 'cd_eject_153', 'cd_close_154',
]
ICON_SIZES = (16, 32)

# Bitmaps drawn by hand: name -> (width, height)
BITMAPS = {
    'icon_unpressed_10': (32, 32),
    'icon_pressed_11': (32, 32),
    'face_unpressed_16': (23, 23),
    'face_pressed_17': (23, 23),
}
# Bitmaps made by doubling every pixel of another one: name -> source name
DOUBLED = {
    'face_large_unpressed_18': 'face_unpressed_16',
    'face_large_pressed_19': 'face_pressed_17',
}

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.dirname(HERE)
ICON_DIR = os.path.join(RES, 'icons')
BITMAP_DIR = os.path.join(RES, 'bitmaps')


# ---------------------------------------------------------------- reading --

def read_grids(name):
    """Return the list of grids (lists of strings) in res/art/<name>.txt."""
    path = os.path.join(HERE, name + '.txt')
    grids, current = [], []
    with open(path, encoding='ascii') as f:
        for lineno, raw in enumerate(f, 1):
            line = raw.rstrip('\r\n').rstrip()
            if line.startswith('#'):
                continue
            if not line:
                if current:
                    grids.append(current)
                    current = []
                continue
            for ch in line:
                if ch not in LEGEND and ch != TRANSPARENT:
                    sys.exit('%s:%d: unknown pixel character %r' % (path, lineno, ch))
            current.append(line)
    if current:
        grids.append(current)
    for g in grids:
        if len(set(len(row) for row in g)) != 1:
            sys.exit('%s: ragged grid starting %r' % (path, g[0]))
    return grids


def to_pixels(grid, allow_transparent):
    """Grid of characters -> rows of palette indices (None = transparent)."""
    rows = []
    for row in grid:
        out = []
        for ch in row:
            if ch == TRANSPARENT:
                if not allow_transparent:
                    sys.exit('transparent pixel in a bitmap source')
                out.append(None)
            else:
                out.append(LEGEND[ch])
        rows.append(out)
    return rows


# ---------------------------------------------------------------- writing --

def palette_bytes():
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)


def pack_4bpp(pixels):
    """Bottom-up 4-bpp rows, each padded to a multiple of 4 bytes."""
    out = bytearray()
    for row in reversed(pixels):
        vals = [0 if v is None else v for v in row]
        if len(vals) % 2:
            vals.append(0)
        line = bytearray((vals[i] << 4) | vals[i + 1] for i in range(0, len(vals), 2))
        while len(line) % 4:
            line.append(0)
        out += line
    return bytes(out)


def pack_mask(pixels):
    """Bottom-up 1-bpp AND mask (1 = transparent), rows padded to 4 bytes."""
    out = bytearray()
    for row in reversed(pixels):
        line = bytearray((len(row) + 7) // 8)
        for x, v in enumerate(row):
            if v is None:
                line[x // 8] |= 0x80 >> (x % 8)
        while len(line) % 4:
            line.append(0)
        out += line
    return bytes(out)


def info_header(width, height, size_image):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0,
                       size_image, 0, 0, 16, 0)


def make_ico(images):
    """images: list of pixel grids (square). Returns the .ico file bytes."""
    blobs = []
    for px in images:
        n = len(px)
        xor, mask = pack_4bpp(px), pack_mask(px)
        blobs.append(info_header(n, 2 * n, len(xor) + len(mask))
                     + palette_bytes() + xor + mask)
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for px, blob in zip(images, blobs):
        n = len(px)
        out += struct.pack('<BBBBHHII', n % 256, n % 256, 16, 0, 1, 4,
                           len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def make_bmp(px):
    h, w = len(px), len(px[0])
    bits = pack_4bpp(px)
    header = info_header(w, h, len(bits)) + palette_bytes()
    off = 14 + len(header)
    return struct.pack('<2sIHHI', b'BM', off + len(bits), 0, 0, off) + header + bits


def doubled(px):
    out = []
    for row in px:
        wide = [v for v in row for _ in (0, 1)]
        out.append(wide)
        out.append(list(wide))
    return out


def write(path, data):
    with open(path, 'wb') as f:
        f.write(data)


# ----------------------------------------------------------------- checks --

def read_bmp(data):
    """Parse what make_bmp writes: returns (palette, rows of indices)."""
    magic, size, _, _, off = struct.unpack_from('<2sIHHI', data, 0)
    assert magic == b'BM' and size == len(data)
    (hsize, w, h, planes, bpp, comp, _, _, _, used, _) = struct.unpack_from('<IiiHHIIiiII', data, 14)
    assert hsize == 40 and planes == 1 and bpp == 4 and comp == 0 and used == 16 and h > 0
    pal = [struct.unpack_from('<BBBB', data, 54 + 4 * i) for i in range(16)]
    pal = [(r, g, b) for (b, g, r, _) in pal]
    stride = ((w * 4 + 31) // 32) * 4
    rows = []
    for y in range(h):
        line = data[off + (h - 1 - y) * stride:]
        rows.append([(line[x // 2] >> (4 if x % 2 == 0 else 0)) & 15 for x in range(w)])
    return pal, rows


def check_ico(name, data):
    reserved, kind, count = struct.unpack_from('<HHH', data, 0)
    assert (reserved, kind, count) == (0, 1, 2), name
    sizes = []
    for i in range(count):
        w, h, colours, res, planes, bpp, length, off = struct.unpack_from('<BBBBHHII', data, 6 + 16 * i)
        assert w == h and (colours, res, planes, bpp) == (16, 0, 1, 4), name
        hsize, bw, bh, bplanes, bbpp, comp = struct.unpack_from('<IiiHHI', data, off)
        assert (hsize, bw, bh, bplanes, bbpp, comp) == (40, w, 2 * h, 1, 4, 0), name
        pal = [struct.unpack_from('<BBBB', data, off + 40 + 4 * j) for j in range(16)]
        assert [(r, g, b) for (b, g, r, _) in pal] == PALETTE, name
        xor_len = ((w * 4 + 31) // 32) * 4 * h
        and_len = ((w + 31) // 32) * 4 * h
        assert length == 40 + 64 + xor_len + and_len, name
        assert off + length <= len(data), name
        sizes.append(w)
    assert sorted(sizes) == [16, 32], name


def ball_centre_ok(rows, cx, cy, radius):
    for y, row in enumerate(rows):
        for x, v in enumerate(row):
            if v in KEY_COLOURS and (x - cx) ** 2 + (y - cy) ** 2 > radius ** 2:
                return False
    return True


def check_face(name, rows):
    n = 23
    assert len(rows) == n and all(len(r) == n for r in rows), name
    for i in range(n - 1):
        assert rows[0][i] == WHITE, (name, 'top row', i)
        assert rows[i][0] == WHITE, (name, 'left column', i)
    for i in range(n):
        assert rows[n - 1][i] == BLACK, (name, 'bottom row', i)
        assert rows[i][n - 1] == BLACK, (name, 'right column', i)
    for i in range(1, n - 1):
        assert rows[n - 2][i] == GREY, (name, 'inner bottom row', i)
        assert rows[i][n - 2] == GREY, (name, 'inner right column', i)
    for i in range(n):
        for j in (0, 1, n - 2, n - 1):
            assert rows[j][i] not in KEY_COLOURS and rows[i][j] not in KEY_COLOURS, name
    # The ball sits within 9.5 px of the middle; outside it everything is silver.
    for y in range(1, n - 2):
        for x in range(1, n - 2):
            if (x - 11) ** 2 + (y - 11) ** 2 > 9.5 ** 2:
                assert rows[y][x] == SILVER, (name, 'face not silver at', x, y)
    assert ball_centre_ok(rows, 11, 11, 9.5), (name, 'key colour outside the ball')
    assert {RED, OLIVE} <= {v for r in rows for v in r}, name


def check_icon_bitmap(name, rows):
    assert len(rows) == 32 and all(len(r) == 32 for r in rows), name
    # Corners are background, and only white surrounds the ball.
    for y in range(32):
        for x in range(32):
            if (x - 15.5) ** 2 + (y - 15.5) ** 2 > 16.5 ** 2:
                assert rows[y][x] == WHITE, (name, 'background not white at', x, y)
    assert ball_centre_ok(rows, 15.5, 15.5, 16), (name, 'key colour outside the ball')
    colours = {v for r in rows for v in r}
    assert RED in colours and WHITE in colours, name


# ------------------------------------------------------------------- main --

def main():
    os.makedirs(ICON_DIR, exist_ok=True)
    os.makedirs(BITMAP_DIR, exist_ok=True)

    for name in ICONS:
        grids = read_grids(name)
        by_size = {}
        for g in grids:
            assert len(g) == len(g[0]) and len(g) in ICON_SIZES, (name, len(g), len(g[0]))
            assert len(g) not in by_size, (name, 'duplicate size', len(g))
            by_size[len(g)] = to_pixels(g, True)
        assert sorted(by_size) == list(ICON_SIZES), (name, sorted(by_size))
        data = make_ico([by_size[32], by_size[16]])
        check_ico(name, data)
        write(os.path.join(ICON_DIR, name + '.ico'), data)

    pixels = {}
    for name, (w, h) in sorted(BITMAPS.items()):
        grids = read_grids(name)
        assert len(grids) == 1, name
        px = to_pixels(grids[0], False)
        assert len(px) == h and len(px[0]) == w, (name, len(px[0]), len(px))
        pixels[name] = px
    for name, src in sorted(DOUBLED.items()):
        pixels[name] = doubled(pixels[src])

    written = {}
    for name, px in sorted(pixels.items()):
        data = make_bmp(px)
        pal, rows = read_bmp(data)
        assert pal == PALETTE and rows == px, name
        write(os.path.join(BITMAP_DIR, name + '.bmp'), data)
        written[name] = rows

    for name, src in DOUBLED.items():
        big, small = written[name], written[src]
        assert len(big) == 2 * len(small)
        for y, row in enumerate(big):
            for x, v in enumerate(row):
                assert v == small[y // 2][x // 2], (name, 'not a doubling at', x, y)
    check_face('face_unpressed_16', written['face_unpressed_16'])
    check_face('face_pressed_17', written['face_pressed_17'])
    assert YELLOW in {v for r in written['face_unpressed_16'] for v in r}
    assert MAROON in {v for r in written['face_pressed_17'] for v in r}
    check_icon_bitmap('icon_unpressed_10', written['icon_unpressed_10'])
    check_icon_bitmap('icon_pressed_11', written['icon_pressed_11'])
    assert YELLOW in {v for r in written['icon_unpressed_10'] for v in r}
    assert MAROON in {v for r in written['icon_pressed_11'] for v in r}

    print('wrote %d icons and %d bitmaps' % (len(ICONS), len(written)))


if __name__ == '__main__':
    main()
