#!/usr/bin/env python3
"""Draws the KivoPlayer application icon and writes it as a Windows .ico file.

    python3 scripts/make-icon.py [OUT.ico] [--png-dir DIR]

OUT.ico defaults to res/kivoplayer.ico in the repository. With --png-dir, every
size is also written there as kivoplayer-<size>.png for a quick look.

The icon is a rounded navy square holding a cyan play triangle in the palette of
the program's own drawing kit. Each size is drawn on its own (so strokes stay
crisp at 16 px), sampled 4 x 4 times per pixel, and stored as a 32-bit RGBA PNG
entry; Windows Vista and later (and Wine) read PNG entries at every size.

Only the Python standard library is used: the PNG and ICO containers are small
enough to write by hand, and the output is byte-for-byte reproducible.
"""

import math
import os
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 64, 128, 256)
SUPERSAMPLE = 4  # samples per pixel along each axis


def rgb(hex_value):
    return ((hex_value >> 16) & 0xFF) / 255.0, ((hex_value >> 8) & 0xFF) / 255.0, (hex_value & 0xFF) / 255.0


# Palette of the drawing kit (RGB parts only; alpha is chosen per use below).
ACCENT_CYAN = rgb(0x00E5FF)
PANEL_NAVY = rgb(0x05141F)
GLYPH_NAVY = rgb(0x00121B)
GRADIENT_TOP = rgb(0x3FF0FF)
GRADIENT_BOTTOM = rgb(0x00B8FF)


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


# The square is lifted a little towards the accent at the top so that it does not
# read as a black hole on dark task bars, and sinks to the glyph navy at the bottom.
SQUARE_TOP = mix(PANEL_NAVY, ACCENT_CYAN, 0.10)
SQUARE_BOTTOM = GLYPH_NAVY


# ---------------------------------------------------------------------------
# Signed distance functions (negative inside), in pixel units of the output size.
# ---------------------------------------------------------------------------

def sd_round_box(px, py, cx, cy, half, radius):
    qx = abs(px - cx) - (half - radius)
    qy = abs(py - cy) - (half - radius)
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def sd_polygon(px, py, verts):
    """Exact distance to a convex or concave polygon (even-odd sign)."""
    d = float("inf")
    inside = False
    n = len(verts)
    j = n - 1
    for i in range(n):
        ax, ay = verts[i]
        bx, by = verts[j]
        ex, ey = bx - ax, by - ay
        wx, wy = px - ax, py - ay
        t = max(0.0, min(1.0, (wx * ex + wy * ey) / (ex * ex + ey * ey)))
        dx, dy = wx - ex * t, wy - ey * t
        d = min(d, dx * dx + dy * dy)
        if (ay > py) != (by > py) and px < ax + (py - ay) * ex / ey:
            inside = not inside
        j = i
    d = math.sqrt(d)
    return -d if inside else d


def coverage(dist, aa):
    """Smooth 0..1 coverage for a signed distance; aa is half the ramp width.

    Only used for the soft glow: the hard edges get their anti-aliasing from the
    supersampling itself.
    """
    if dist <= -aa:
        return 1.0
    if dist >= aa:
        return 0.0
    return 0.5 - dist / (2.0 * aa)


# ---------------------------------------------------------------------------
# The drawing
# ---------------------------------------------------------------------------

class IconShape:
    """Geometry of the icon for one output size, in output pixels."""

    def __init__(self, size):
        s = float(size)
        self.size = s
        # A small margin keeps the rounded corners off the tile edge; it is a whole
        # number of pixels so that the straight sides land on pixel boundaries and
        # stay sharp (none at all below 32 px, where every pixel counts).
        self.inset = float(size // 32)
        self.half = s / 2.0 - self.inset
        self.center = s / 2.0
        self.radius = s * 0.22
        # The rim is at least one real pixel wide, or it would vanish at 16 px.
        self.rim = max(1.0, s / 40.0)
        # Play triangle: an equilateral triangle pointing right, its centroid on the
        # centre of the square so that it looks centred to the eye.
        # Small sizes get a relatively larger glyph, or it shrinks to a dot.
        tri_h = s * (0.52 if size <= 24 else 0.48 if size <= 32 else 0.44)
        tri_w = tri_h * math.sqrt(3.0) / 2.0
        self.tri_round = s * 0.035
        left = self.center - tri_w / 3.0
        top = self.center - tri_h / 2.0
        # The vertices are pulled in by the rounding radius, which grows back out.
        r = self.tri_round
        self.tri = (
            (left + r, top + r * 1.7),
            (left + tri_w - r * 2.0, self.center),
            (left + r, top + tri_h - r * 1.7),
        )
        self.tri_top = top
        self.tri_bottom = top + tri_h
        # The glow would smear the small sizes into a blur, so it starts at 32 px.
        self.glow = s * 0.09 if size >= 32 else 0.0

    def sample(self, x, y):
        """Premultiplied (r, g, b, a) of the icon at point (x, y)."""
        d_box = sd_round_box(x, y, self.center, self.center, self.half, self.radius)
        if d_box > 0.0:
            return (0.0, 0.0, 0.0, 0.0)

        # Navy body with a vertical gradient.
        t = (y - self.inset) / (2.0 * self.half)
        r, g, b = mix(SQUARE_TOP, SQUARE_BOTTOM, min(1.0, max(0.0, t)))
        a = 1.0

        def over(cr, cg, cb, ca):
            nonlocal r, g, b
            r = cr * ca + r * (1.0 - ca)
            g = cg * ca + g * (1.0 - ca)
            b = cb * ca + b * (1.0 - ca)

        # Thin cyan rim just inside the edge.
        if d_box > -self.rim:
            over(*ACCENT_CYAN, 0.55)

        d_tri = sd_polygon(x, y, self.tri) - self.tri_round
        if d_tri > 0.0:
            if self.glow > 0.0 and d_tri < self.glow:
                k = 1.0 - d_tri / self.glow
                over(*ACCENT_CYAN, 0.30 * k * k * coverage(d_box + self.rim, 0.5))
        else:
            tt = (y - self.tri_top) / (self.tri_bottom - self.tri_top)
            over(*mix(GRADIENT_TOP, GRADIENT_BOTTOM, min(1.0, max(0.0, tt))), 1.0)

        return (r * a, g * a, b * a, a)


def render(size):
    """RGBA bytes (straight alpha) of the icon at one size."""
    shape = IconShape(size)
    n = SUPERSAMPLE
    step = 1.0 / n
    offsets = [(i + 0.5) * step for i in range(n)]
    count = float(n * n)
    out = bytearray()
    for py in range(size):
        for px in range(size):
            sr = sg = sb = sa = 0.0
            for oy in offsets:
                y = py + oy
                for ox in offsets:
                    cr, cg, cb, ca = shape.sample(px + ox, y)
                    sr += cr
                    sg += cg
                    sb += cb
                    sa += ca
            # Averaging happens on premultiplied colour (so transparent samples add
            # no dark fringe); PNG wants straight alpha, so divide it out again.
            alpha = sa / count
            if alpha <= 0.0:
                out += b"\0\0\0\0"
                continue
            out += bytes((
                to_byte(sr / sa),
                to_byte(sg / sa),
                to_byte(sb / sa),
                to_byte(alpha),
            ))
    return bytes(out)


def to_byte(v):
    return max(0, min(255, int(v * 255.0 + 0.5)))


# ---------------------------------------------------------------------------
# PNG and ICO containers
# ---------------------------------------------------------------------------

def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filter_rows(rgba, width, height):
    """Chooses a PNG filter per row by the usual minimum-sum-of-magnitudes rule."""
    bpp = 4
    stride = width * bpp
    prev = bytes(stride)
    out = bytearray()
    for y in range(height):
        row = rgba[y * stride:(y + 1) * stride]
        candidates = []
        candidates.append((0, row))
        sub = bytes((row[i] - (row[i - bpp] if i >= bpp else 0)) & 0xFF for i in range(stride))
        candidates.append((1, sub))
        up = bytes((row[i] - prev[i]) & 0xFF for i in range(stride))
        candidates.append((2, up))
        avg = bytes((row[i] - (((row[i - bpp] if i >= bpp else 0) + prev[i]) >> 1)) & 0xFF
                    for i in range(stride))
        candidates.append((3, avg))
        pth = bytes((row[i] - paeth(row[i - bpp] if i >= bpp else 0, prev[i],
                                    prev[i - bpp] if i >= bpp else 0)) & 0xFF
                    for i in range(stride))
        candidates.append((4, pth))
        kind, data = min(candidates, key=lambda c: sum(v if v < 128 else 256 - v for v in c[1]))
        out.append(kind)
        out += data
        prev = row
    return bytes(out)


def encode_png(rgba, width, height):
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    idat = zlib.compress(filter_rows(rgba, width, height), 9)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", ihdr) + png_chunk(b"IDAT", idat)
            + png_chunk(b"IEND", b""))


def encode_ico(images):
    """images: list of (size, png_bytes). Every entry is stored PNG-compressed."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries = b""
    blobs = b""
    for size, png in images:
        dim = 0 if size >= 256 else size  # 0 means 256 in the directory entry
        entries += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(png), offset)
        blobs += png
        offset += len(png)
    return header + entries + blobs


def main(argv):
    repo = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out_path = os.path.join(repo, "res", "kivoplayer.ico")
    png_dir = None
    args = list(argv)
    while args:
        a = args.pop(0)
        if a == "--png-dir" and args:
            png_dir = args.pop(0)
        elif a in ("-h", "--help"):
            print(__doc__.strip())
            return 0
        elif a.startswith("-"):
            print("make-icon.py: unknown option %s" % a, file=sys.stderr)
            return 2
        else:
            out_path = a

    images = []
    for size in SIZES:
        png = encode_png(render(size), size, size)
        images.append((size, png))
        if png_dir:
            os.makedirs(png_dir, exist_ok=True)
            with open(os.path.join(png_dir, "kivoplayer-%d.png" % size), "wb") as f:
                f.write(png)

    data = encode_ico(images)
    os.makedirs(os.path.dirname(os.path.abspath(out_path)), exist_ok=True)
    tmp = out_path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, out_path)
    print("make-icon.py: wrote %s (%d bytes, sizes %s)"
          % (out_path, len(data), ", ".join(str(s) for s, _ in images)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
