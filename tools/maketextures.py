#!/usr/bin/env python3
"""Draws the tileable textures shipped in assets/Textures: 96 x 96 pixel, 256-colour BMP files.

Each texture is a periodic noise or pattern field (0..255) looked up in a colour ramp, so that its
left and right edges (and top and bottom) meet without a seam. Run it from the repository root to
redraw them: python3 tools/maketextures.py
"""
import math
import os
import random
import struct

SIZE = 96


def lattice(period, seed):
    rng = random.Random(seed)
    return [[rng.random() for _ in range(period)] for _ in range(period)]


def smooth(t):
    return t * t * (3 - 2 * t)


def value_noise(x, y, grid, period):
    """Bilinear value noise over a lattice that wraps, so the field tiles."""
    gx, gy = x * period / SIZE, y * period / SIZE
    x0, y0 = int(gx), int(gy)
    fx, fy = smooth(gx - x0), smooth(gy - y0)
    x0, y0, x1, y1 = x0 % period, y0 % period, (x0 + 1) % period, (y0 + 1) % period
    top = grid[y0][x0] * (1 - fx) + grid[y0][x1] * fx
    bottom = grid[y1][x0] * (1 - fx) + grid[y1][x1] * fx
    return top * (1 - fy) + bottom * fy


def fbm(seed, octaves=(4, 8, 16, 32)):
    grids = [(lattice(p, seed * 31 + p), p) for p in octaves]

    def field(x, y):
        total, weight, amplitude = 0.0, 0.0, 1.0
        for grid, period in grids:
            total += amplitude * value_noise(x, y, grid, period)
            weight += amplitude
            amplitude *= 0.5
        return total / weight

    return field


def ramp(*stops):
    """A 256-entry palette through colour stops given as (position 0..1, (r, g, b))."""
    palette = []
    for i in range(256):
        t = i / 255
        for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
            if p0 <= t <= p1:
                u = (t - p0) / (p1 - p0) if p1 > p0 else 0
                palette.append(tuple(round(a + (b - a) * u) for a, b in zip(c0, c1)))
                break
    return palette


def clamp(v):
    return max(0, min(255, int(v * 255)))


def texture(name, palette, value):
    rows = [[clamp(value(x, y)) for x in range(SIZE)] for y in range(SIZE)]
    write_bmp(os.path.join("assets", "Textures", name + ".bmp"), palette, rows)


def write_bmp(path, palette, rows):
    row_bytes = (SIZE + 3) & ~3
    pixels = b"".join(bytes(row) + b"\0" * (row_bytes - SIZE) for row in reversed(rows))
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 8, 0, len(pixels), 3780, 3780, 256, 256)
    with open(path, "wb") as f:
        f.write(header + info + colours + pixels)


def main():
    tau = 2 * math.pi
    paper = fbm(1, (8, 16, 32, 48))
    texture("Paper", ramp((0, (226, 218, 196)), (1, (250, 246, 232))), lambda x, y: paper(x, y))

    linen = fbm(2, (16, 32, 48))
    texture("Linen", ramp((0, (196, 184, 156)), (1, (240, 232, 212))),
            lambda x, y: 0.35 + 0.25 * math.sin(tau * x * 24 / SIZE) ** 2 * 0.5
            + 0.25 * math.sin(tau * y * 24 / SIZE) ** 2 * 0.5 + 0.4 * linen(x, y))

    marble = fbm(3)
    texture("Marble", ramp((0, (120, 120, 128)), (0.35, (200, 200, 205)), (1, (248, 248, 250))),
            lambda x, y: 0.5 + 0.5 * abs(math.sin(tau * (x + y) / SIZE + 6 * marble(x, y))) ** 0.3 * 0.9
            - 0.4 * (1 - abs(math.sin(tau * (x + y) / SIZE + 6 * marble(x, y)))) ** 8)

    wood = fbm(4, (4, 8, 16))
    texture("Wood", ramp((0, (110, 62, 28)), (0.5, (160, 100, 52)), (1, (204, 148, 90))),
            lambda x, y: 0.5 + 0.5 * math.sin(tau * 6 * y / SIZE + 5 * wood(x, y)))

    sky = fbm(5)
    texture("Sky", ramp((0, (70, 130, 215)), (0.55, (120, 175, 235)), (1, (250, 252, 255))),
            lambda x, y: max(0.0, sky(x, y) * 1.6 - 0.45))

    grass = fbm(6, (8, 96))
    texture("Grass", ramp((0, (30, 90, 20)), (0.6, (70, 150, 40)), (1, (150, 210, 80))),
            lambda x, y: 0.6 * grass(x, y * 0.125) + 0.4 * grass(x * 1.0, y))

    gold = fbm(7)
    texture("Gold", ramp((0, (140, 96, 16)), (0.5, (212, 170, 50)), (0.85, (250, 220, 110)), (1, (255, 248, 210))),
            lambda x, y: 0.5 + 0.5 * math.sin(tau * (x - y) / SIZE * 2 + 4 * gold(x, y)))

    brick = fbm(8, (16, 32, 48))

    def brick_value(x, y):
        row = y // 24
        shift = 24 if row % 2 else 0
        mortar = y % 24 < 3 or (x + shift) % 48 < 3
        return 0.08 * brick(x, y) if mortar else 0.35 + 0.65 * brick(x, y)

    texture("Brick", ramp((0, (170, 166, 158)), (0.1, (190, 186, 178)), (0.35, (120, 44, 30)), (1, (190, 84, 56))),
            brick_value)

    snow = fbm(9, (8, 16, 32))
    rng = random.Random(9)
    sparkles = {(rng.randrange(SIZE), rng.randrange(SIZE)) for _ in range(60)}
    texture("Snow", ramp((0, (200, 214, 235)), (0.9, (245, 248, 255)), (1, (255, 255, 255))),
            lambda x, y: 1.0 if (x, y) in sparkles else 0.2 + 0.65 * snow(x, y))

    denim = fbm(10, (16, 32, 96))
    texture("Denim", ramp((0, (28, 44, 92)), (0.6, (56, 84, 140)), (1, (140, 160, 200))),
            lambda x, y: 0.3 + 0.3 * (1 if (x + y) % 4 < 2 else 0) + 0.4 * denim(x, y))

    sand = fbm(11, (12, 24, 48, 96))
    texture("Sand", ramp((0, (196, 160, 100)), (1, (240, 218, 170))), lambda x, y: sand(x, y))

    water = fbm(12, (4, 8))
    texture("Water", ramp((0, (20, 80, 120)), (0.6, (40, 140, 170)), (1, (190, 235, 240))),
            lambda x, y: (0.5 + 0.5 * math.sin(tau * 4 * y / SIZE + 4 * water(x, y))) ** 3)


if __name__ == "__main__":
    main()
