"""A tiny anti-aliased RGB(A) canvas and the two file writers the wizard needs.

Standard library only, so the artwork can be regenerated on any build host.
"""

import math
import struct


def clamp01(v):
    return 0.0 if v < 0.0 else 1.0 if v > 1.0 else v


def smoothstep(e0, e1, x):
    t = clamp01((x - e0) / (e1 - e0))
    return t * t * (3.0 - 2.0 * t)


def rounded_box_distance(px, py, cx, cy, hw, hh, radius):
    """Signed distance from a point to a rounded rectangle (negative inside)."""
    qx = abs(px - cx) - hw + radius
    qy = abs(py - cy) - hh + radius
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    inside = min(max(qx, qy), 0.0)
    return outside + inside - radius


class Canvas:
    """Colours are floats 0..1; alpha is kept so icons get a soft edge."""

    def __init__(self, width, height, colour=(0.0, 0.0, 0.0), alpha=1.0):
        self.width = width
        self.height = height
        self.r = [colour[0]] * (width * height)
        self.g = [colour[1]] * (width * height)
        self.b = [colour[2]] * (width * height)
        self.a = [alpha] * (width * height)

    def blend(self, x, y, colour, coverage):
        if coverage <= 0.0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        i = y * self.width + x
        k = clamp01(coverage)
        # "Over" compositing, so edges over a transparent icon background
        # keep their colour instead of darkening towards black.
        below = self.a[i] * (1.0 - k)
        alpha = k + below
        self.r[i] = (colour[0] * k + self.r[i] * below) / alpha
        self.g[i] = (colour[1] * k + self.g[i] * below) / alpha
        self.b[i] = (colour[2] * k + self.b[i] * below) / alpha
        self.a[i] = alpha

    def fill(self, shader):
        """shader(x, y) -> (r, g, b) over the whole canvas."""
        for y in range(self.height):
            for x in range(self.width):
                i = y * self.width + x
                self.r[i], self.g[i], self.b[i] = shader(x + 0.5, y + 0.5)

    def rounded_rect(self, left, top, right, bottom, radius, colour, shader=None):
        cx, cy = (left + right) / 2.0, (top + bottom) / 2.0
        hw, hh = (right - left) / 2.0, (bottom - top) / 2.0
        for y in range(max(0, int(top) - 1), min(self.height, int(bottom) + 2)):
            for x in range(max(0, int(left) - 1), min(self.width, int(right) + 2)):
                d = rounded_box_distance(x + 0.5, y + 0.5, cx, cy, hw, hh, radius)
                cover = clamp01(0.5 - d)
                if cover > 0.0:
                    c = shader(x + 0.5, y + 0.5) if shader else colour
                    self.blend(x, y, c, cover)

    def soft_shadow(self, left, top, right, bottom, radius, blur, strength):
        """A blurred dark rounded rectangle, drawn before the shape it belongs to."""
        cx, cy = (left + right) / 2.0, (top + bottom) / 2.0
        hw, hh = (right - left) / 2.0, (bottom - top) / 2.0
        for y in range(max(0, int(top - blur) - 1), min(self.height, int(bottom + blur) + 2)):
            for x in range(max(0, int(left - blur) - 1), min(self.width, int(right + blur) + 2)):
                d = rounded_box_distance(x + 0.5, y + 0.5, cx, cy, hw, hh, radius)
                k = strength * (1.0 - smoothstep(-blur, blur, d))
                self.blend(x, y, (0.05, 0.1, 0.18), k)

    def raised_dot(self, cx, cy, radius, base, shadow=0.35):
        """An embossed dot lit from the upper left, with its shadow on the paper."""
        lx, ly, lz = -0.45, -0.55, 0.70
        norm = math.sqrt(lx * lx + ly * ly + lz * lz)
        lx, ly, lz = lx / norm, ly / norm, lz / norm
        offset = radius * 0.35
        reach = radius + offset + 2
        for y in range(max(0, int(cy - reach)), min(self.height, int(cy + reach) + 1)):
            for x in range(max(0, int(cx - reach)), min(self.width, int(cx + reach) + 1)):
                px, py = x + 0.5, y + 0.5
                ds = math.hypot(px - cx - offset, py - cy - offset)
                self.blend(x, y, (0.1, 0.12, 0.18),
                           shadow * (1.0 - smoothstep(radius * 0.6, radius + offset, ds)))
        for y in range(max(0, int(cy - radius) - 1), min(self.height, int(cy + radius) + 2)):
            for x in range(max(0, int(cx - radius) - 1), min(self.width, int(cx + radius) + 2)):
                px, py = x + 0.5, y + 0.5
                dx, dy = (px - cx) / radius, (py - cy) / radius
                dist = math.hypot(dx, dy)
                cover = clamp01((1.0 - dist) * radius + 0.5)
                if cover <= 0.0:
                    continue
                nz = math.sqrt(max(0.0, 1.0 - min(dist, 1.0) ** 2))
                lambert = clamp01(dx * lx + dy * ly + nz * lz)
                light = 0.62 + 0.45 * lambert
                shine = clamp01(lambert - 0.9) * 4.0
                colour = tuple(clamp01(c * light + shine * 0.35) for c in base)
                self.blend(x, y, colour, cover)


def _byte(v):
    return int(clamp01(v) * 255.0 + 0.5)


def bmp24_bytes(canvas):
    """A bottom-up 24-bit BMP file."""
    w, h = canvas.width, canvas.height
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            i = y * w + x
            row += bytes((_byte(canvas.b[i]), _byte(canvas.g[i]), _byte(canvas.r[i])))
        row += bytes(stride - len(row))
        pixels += row
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + bytes(pixels)


def _icon_image(canvas):
    """One 32-bit icon image: header, BGRA rows bottom-up, then the AND mask."""
    w, h = canvas.width, canvas.height
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            i = y * w + x
            a = clamp01(canvas.a[i])
            xor += bytes((_byte(canvas.b[i]), _byte(canvas.g[i]), _byte(canvas.r[i]), _byte(a)))
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(w):
            if canvas.a[y * w + x] < 0.5:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def ico_bytes(canvases):
    images = [_icon_image(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        size = canvas.width if canvas.width < 256 else 0
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)
