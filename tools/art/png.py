"""Minimal PNG reading and writing with the standard library only.

Pictures are written as 8-bit indexed colour (the colour table holds only the
colours a picture uses) with an optional transparency entry per colour, so
every file stays small and decodes to the exact colours that were drawn.
Output is deterministic: same pixels, same bytes.
"""

import struct
import zlib

_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def encode(width, height, pixels):
    """pixels: row-major list of (r, g, b) or (r, g, b, a) tuples; alpha is 0 or 255."""
    if len(pixels) != width * height:
        raise ValueError("pixel count does not match the size")
    table = {}
    for p in pixels:
        rgba = p if len(p) == 4 else (p[0], p[1], p[2], 255)
        if rgba[3] not in (0, 255):
            raise ValueError("alpha must be 0 or 255")
        if rgba[3] == 0:
            rgba = (0, 0, 0, 0)
        if rgba not in table:
            table[rgba] = None
    if len(table) > 256:
        return _encode_truecolour(width, height, pixels)
    # Transparent entries first so the tRNS chunk stays short; then by colour.
    order = sorted(table, key=lambda c: (c[3], c))
    index = {c: i for i, c in enumerate(order)}
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for x in range(width):
            p = pixels[y * width + x]
            rgba = p if len(p) == 4 else (p[0], p[1], p[2], 255)
            if rgba[3] == 0:
                rgba = (0, 0, 0, 0)
            raw.append(index[rgba])
    out = bytearray(_SIGNATURE)
    out += _chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 3, 0, 0, 0))
    out += _chunk(b"PLTE", b"".join(bytes(c[:3]) for c in order))
    clear = [c for c in order if c[3] == 0]
    if clear:
        out += _chunk(b"tRNS", bytes(0 for _ in clear))
    out += _chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    out += _chunk(b"IEND", b"")
    return bytes(out)


def _encode_truecolour(width, height, pixels):
    alpha = any(len(p) == 4 and p[3] != 255 for p in pixels)
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for x in range(width):
            p = pixels[y * width + x]
            rgba = p if len(p) == 4 else (p[0], p[1], p[2], 255)
            raw += bytes(rgba if alpha else rgba[:3])
    out = bytearray(_SIGNATURE)
    out += _chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0))
    out += _chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    out += _chunk(b"IEND", b"")
    return bytes(out)


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def decode(data):
    """Reads the 8-bit PNGs this tool writes (indexed, RGB or RGBA, not interlaced).

    Returns (width, height, pixels) with pixels as (r, g, b, a) tuples.
    """
    if data[:8] != _SIGNATURE:
        raise ValueError("not a PNG")
    pos = 8
    idat = bytearray()
    palette, alphas = [], b""
    width = height = colour_type = None
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos : pos + 4])
        kind = data[pos + 4 : pos + 8]
        body = data[pos + 8 : pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour_type, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or interlace != 0 or colour_type not in (2, 3, 6):
                raise ValueError("unsupported PNG form")
        elif kind == b"PLTE":
            palette = [tuple(body[i : i + 3]) for i in range(0, len(body), 3)]
        elif kind == b"tRNS":
            alphas = body
        elif kind == b"IDAT":
            idat += body
    bpp = {2: 3, 3: 1, 6: 4}[colour_type]
    raw = zlib.decompress(bytes(idat))
    stride = width * bpp
    prev = bytearray(stride)
    pixels = []
    for y in range(height):
        line = raw[y * (stride + 1) : (y + 1) * (stride + 1)]
        ftype, cur = line[0], bytearray(line[1:])
        for i in range(stride):
            a = cur[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if ftype == 1:
                cur[i] = (cur[i] + a) & 255
            elif ftype == 2:
                cur[i] = (cur[i] + b) & 255
            elif ftype == 3:
                cur[i] = (cur[i] + ((a + b) >> 1)) & 255
            elif ftype == 4:
                cur[i] = (cur[i] + _paeth(a, b, c)) & 255
        for x in range(width):
            if colour_type == 3:
                k = cur[x]
                r, g, b_ = palette[k]
                pixels.append((r, g, b_, alphas[k] if k < len(alphas) else 255))
            elif colour_type == 2:
                pixels.append(tuple(cur[x * 3 : x * 3 + 3]) + (255,))
            else:
                pixels.append(tuple(cur[x * 4 : x * 4 + 4]))
        prev = cur
    return width, height, pixels
