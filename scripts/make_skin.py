#!/usr/bin/python3
"""Draws every image of the skin package, the program icon and the setup
program's pictures.

Run with Debian's interpreter (it has python3-pil):
    /usr/bin/python3 scripts/make_skin.py
writes the skin's PNGs and the icon, which are committed;
    /usr/bin/python3 scripts/make_skin.py --installer-pictures <folder>
writes the setup program's BMPs; the installer build runs this into its
own build folder, so they are never committed.

Shapes are drawn at four times their size and scaled down, which gives
smooth anti-aliased edges. Each kind of image has one function; the colours
of the six skins live in SKINS. Every skin image is drawn three times by the
same functions, for 100 %, 150 % and 200 % display scale ("x.png",
"x@150.png", "x@200.png"): sizes and coordinates stay logical pixels, and
the scale only multiplies what they become.
"""

import argparse
import os
import struct
from io import BytesIO

from PIL import Image, ImageDraw

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SKIN_ROOT = os.path.join(ROOT, "skin", "skin")
SHARED = os.path.join(SKIN_ROOT, "Default")
ICON_PATH = os.path.join(ROOT, "box", "app", "res", "tamvelo-box.ico")

SUPERSAMPLE = 4
# The display scale being drawn (1, 1.5 or 2) and the drawing scale of the
# canvases, SUPERSAMPLE times the display scale. Set by at_scale.
DISPLAY = 1.0
SCALE = SUPERSAMPLE
SKIN_PERCENTS = (100, 150, 200)

# Folder name -> (gradient start, gradient end, accent). The accent marks the
# selected tab and the chooser's hover ring; the gradient fills "main_bg".
SKINS = {
    "Default": ((0x16, 0x5D, 0xCF), (0x3B, 0x9C, 0xF6), (0x16, 0x77, 0xFF)),
    "Black": ((0x1C, 0x1F, 0x26), (0x43, 0x48, 0x53), (0xF0, 0xB4, 0x40)),
    "Green": ((0x0B, 0x8A, 0x4E), (0x2F, 0xC2, 0x78), (0x10, 0xA3, 0x5C)),
    "Pink": ((0xD6, 0x3F, 0x6E), (0xFF, 0x86, 0xAA), (0xE8, 0x4A, 0x7E)),
    "Purple": ((0x55, 0x32, 0xC2), (0x92, 0x66, 0xF0), (0x6A, 0x3F, 0xD8)),
    "Orange": ((0xE0, 0x5A, 0x10), (0xFF, 0xA0, 0x3C), (0xF2, 0x6A, 0x1B)),
}

WHITE = (255, 255, 255)
INK = (0x4A, 0x51, 0x60)           # icons on light backgrounds
BRAND = (0x16, 0x77, 0xFF)         # dialog buttons, check marks
BORDER = (0xC9, 0xCF, 0xD8)
PAGE = (0xF7, 0xF8, 0xFA)          # page and menu tints
DANGER = (0xE5, 0x48, 0x4D)


# ---------------------------------------------------------------- helpers

def rgba(colour, alpha=255):
    return tuple(colour[:3]) + (alpha,)


def at_scale(percent):
    """Draws what follows for the display scale of percent."""
    global DISPLAY, SCALE
    DISPLAY = percent / 100.0
    SCALE = round(SUPERSAMPLE * DISPLAY)


def pixels(logical):
    """A logical length in pixels of the display scale, halves rounded up as
    the toolkit rounds."""
    return int(logical * DISPLAY + 0.5)


def canvas(width, height):
    """A transparent picture at drawing scale and its pen."""
    image = Image.new("RGBA", (round(width * SCALE), round(height * SCALE)), (0, 0, 0, 0))
    return image, ImageDraw.Draw(image)


def finish(image):
    """Down to the display scale's size with smooth edges."""
    return image.resize((int(image.width / SUPERSAMPLE + 0.5), int(image.height / SUPERSAMPLE + 0.5)),
                        Image.LANCZOS)


def box(x0, y0, x1, y1):
    """A rectangle given in real pixels, at drawing scale."""
    return [x0 * SCALE, y0 * SCALE, x1 * SCALE - 1, y1 * SCALE - 1]


def pts(points, dx=0, dy=0):
    return [((x + dx) * SCALE, (y + dy) * SCALE) for x, y in points]


def stroke(width):
    return max(1, round(width * SCALE))


def sprite(cells):
    """Cells of one size side by side, as the layouts' source rectangles
    expect: each cell starts where the toolkit scales its logical left edge
    to, so a cell of an odd width loses at most its last column at 150 %."""
    width, height = cells[0].size
    logical = round(width / DISPLAY)
    edges = [pixels(index * logical) for index in range(len(cells) + 1)]
    sheet = Image.new("RGBA", (edges[-1], height), (0, 0, 0, 0))
    for index, cell in enumerate(cells):
        sheet.paste(cell.crop((0, 0, edges[index + 1] - edges[index], height)), (edges[index], 0))
    return sheet


def save(image, folder, name):
    """Saves a skin image under the name of the scale being drawn."""
    os.makedirs(folder, exist_ok=True)
    percent = round(DISPLAY * 100)
    if percent != 100:
        stem, extension = os.path.splitext(name)
        name = f"{stem}@{percent}{extension}"
    image.save(os.path.join(folder, name), optimize=True)


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


# ---------------------------------------------------------------- glyphs
# Each glyph draws into a square of `size` real pixels at offset (ox, oy).

def glyph_home(draw, ox, oy, size, colour):
    s = size / 20.0
    w = stroke(1.7 * s)
    draw.line(pts([(2 * s, 10 * s), (10 * s, 3 * s), (18 * s, 10 * s)], ox, oy), fill=colour, width=w, joint="curve")
    draw.line(pts([(4.5 * s, 8.5 * s), (4.5 * s, 17 * s), (15.5 * s, 17 * s), (15.5 * s, 8.5 * s)], ox, oy),
              fill=colour, width=w, joint="curve")
    draw.rectangle(box(ox + 8.5 * s, oy + 11.5 * s, ox + 11.5 * s, oy + 17 * s), fill=colour)


def glyph_search(draw, ox, oy, size, colour):
    s = size / 20.0
    w = stroke(1.8 * s)
    draw.ellipse(box(ox + 2.5 * s, oy + 2.5 * s, ox + 14 * s, oy + 14 * s), outline=colour, width=w)
    draw.line(pts([(12.5 * s, 12.5 * s), (17.5 * s, 17.5 * s)], ox, oy), fill=colour, width=stroke(2.4 * s))


def glyph_phone(draw, ox, oy, size, colour):
    s = size / 20.0
    draw.rounded_rectangle(box(ox + 5 * s, oy + 1.5 * s, ox + 15 * s, oy + 18.5 * s), radius=2.2 * s * SCALE,
                           outline=colour, width=stroke(1.7 * s))
    draw.ellipse(box(ox + 9 * s, oy + 14.2 * s, ox + 11 * s, oy + 16.2 * s), fill=colour)
    draw.line(pts([(8.5 * s, 4 * s), (11.5 * s, 4 * s)], ox, oy), fill=colour, width=stroke(1.2 * s))


def glyph_payment(draw, ox, oy, size, colour):
    s = size / 20.0
    w = stroke(1.7 * s)
    draw.ellipse(box(ox + 2 * s, oy + 2 * s, ox + 18 * s, oy + 18 * s), outline=colour, width=w)
    # the yuan sign
    draw.line(pts([(7 * s, 6 * s), (10 * s, 10 * s), (13 * s, 6 * s)], ox, oy), fill=colour, width=w, joint="curve")
    draw.line(pts([(10 * s, 10 * s), (10 * s, 14.8 * s)], ox, oy), fill=colour, width=w)
    draw.line(pts([(7.2 * s, 10.6 * s), (12.8 * s, 10.6 * s)], ox, oy), fill=colour, width=stroke(1.3 * s))
    draw.line(pts([(7.2 * s, 13 * s), (12.8 * s, 13 * s)], ox, oy), fill=colour, width=stroke(1.3 * s))


def glyph_service(draw, ox, oy, size, colour):
    s = size / 20.0
    w = stroke(1.7 * s)
    draw.arc(box(ox + 3 * s, oy + 2.5 * s, ox + 17 * s, oy + 17 * s), 180, 360, fill=colour, width=w)
    draw.rounded_rectangle(box(ox + 2.2 * s, oy + 9 * s, ox + 6.2 * s, oy + 15 * s), radius=1.4 * s * SCALE, fill=colour)
    draw.rounded_rectangle(box(ox + 13.8 * s, oy + 9 * s, ox + 17.8 * s, oy + 15 * s), radius=1.4 * s * SCALE, fill=colour)
    draw.line(pts([(16 * s, 15 * s), (16 * s, 17 * s), (11.5 * s, 17.8 * s)], ox, oy), fill=colour,
              width=stroke(1.3 * s), joint="curve")
    draw.ellipse(box(ox + 9.4 * s, oy + 16.6 * s, ox + 11.8 * s, oy + 19 * s), fill=colour)


def glyph_fullscreen(draw, ox, oy, size, colour):
    s = size / 20.0
    w = stroke(1.8 * s)
    for (x, y, dx, dy) in ((3, 3, 1, 1), (17, 3, -1, 1), (3, 17, 1, -1), (17, 17, -1, -1)):
        draw.line(pts([(x * s, (y + 5 * dy) * s), (x * s, y * s), ((x + 5 * dx) * s, y * s)], ox, oy),
                  fill=colour, width=w, joint="curve")


def glyph_accounts(draw, ox, oy, size, colour):
    s = size / 20.0
    # the second account, behind
    draw.ellipse(box(ox + 10.5 * s, oy + 3 * s, ox + 16.5 * s, oy + 9 * s), outline=colour, width=stroke(1.5 * s))
    draw.arc(box(ox + 9 * s, oy + 10.5 * s, ox + 19 * s, oy + 22 * s), 200, 340, fill=colour, width=stroke(1.5 * s))
    # the main account, in front
    draw.ellipse(box(ox + 3 * s, oy + 4 * s, ox + 10 * s, oy + 11 * s), fill=colour)
    draw.pieslice(box(ox + 0.5 * s, oy + 12 * s, ox + 12.5 * s, oy + 26 * s), 180, 360, fill=colour)


def glyph_skin(draw, ox, oy, size, colour):
    s = size / 20.0
    shirt = [(7, 3), (3, 5.5), (1.5, 9.5), (4.8, 10.8), (5.2, 9), (5.2, 17.5), (14.8, 17.5), (14.8, 9),
             (15.2, 10.8), (18.5, 9.5), (17, 5.5), (13, 3), (12, 4.6), (10, 5.4), (8, 4.6)]
    draw.polygon(pts([(x * s, y * s) for x, y in shirt], ox, oy), outline=colour, width=stroke(1.5 * s))


def glyph_menu(draw, ox, oy, size, colour):
    s = size / 20.0
    for y in (5, 10, 15):
        draw.line(pts([(3.5 * s, y * s), (16.5 * s, y * s)], ox, oy), fill=colour, width=stroke(1.7 * s))


def glyph_minimise(draw, ox, oy, size, colour):
    s = size / 20.0
    draw.line(pts([(5 * s, 10.5 * s), (15 * s, 10.5 * s)], ox, oy), fill=colour, width=stroke(1.2 * s))


def glyph_maximise(draw, ox, oy, size, colour):
    s = size / 20.0
    draw.rectangle(box(ox + 5 * s, oy + 5 * s, ox + 15 * s, oy + 15 * s), outline=colour, width=stroke(1.2 * s))


def glyph_restore(draw, ox, oy, size, colour):
    s = size / 20.0
    w = stroke(1.2 * s)
    draw.rectangle(box(ox + 4.5 * s, oy + 7.5 * s, ox + 12.5 * s, oy + 15.5 * s), outline=colour, width=w)
    draw.line(pts([(7.5 * s, 7.5 * s), (7.5 * s, 4.5 * s), (15.5 * s, 4.5 * s), (15.5 * s, 12.5 * s),
                   (12.5 * s, 12.5 * s)], ox, oy), fill=colour, width=w)


def glyph_close(draw, ox, oy, size, colour, weight=1.3):
    s = size / 20.0
    w = stroke(weight * s)
    draw.line(pts([(5 * s, 5 * s), (15 * s, 15 * s)], ox, oy), fill=colour, width=w)
    draw.line(pts([(15 * s, 5 * s), (5 * s, 15 * s)], ox, oy), fill=colour, width=w)


def glyph_chevron(draw, ox, oy, size, colour):
    s = size / 20.0
    draw.line(pts([(5 * s, 8 * s), (10 * s, 13 * s), (15 * s, 8 * s)], ox, oy), fill=colour,
              width=stroke(1.8 * s), joint="curve")


def glyph_gamepad(draw, ox, oy, size, colour):
    s = size / 20.0
    draw.rounded_rectangle(box(ox + 1.5 * s, oy + 5.5 * s, ox + 18.5 * s, oy + 15 * s), radius=4.7 * s * SCALE, fill=colour)
    draw.ellipse(box(ox + 1.5 * s, oy + 8 * s, ox + 8 * s, oy + 17.5 * s), fill=colour)
    draw.ellipse(box(ox + 12 * s, oy + 8 * s, ox + 18.5 * s, oy + 17.5 * s), fill=colour)


# ---------------------------------------------------------------- backgrounds

def brand_gradient(width, height, start, end):
    """A skin's colours from left to right, a little downwards, under a wide
    soft diagonal sheen: the title band, and the setup program's pictures."""
    image = Image.new("RGBA", (width, height))
    pixels = image.load()
    for y in range(height):
        for x in range(width):
            t = x / (width - 1)
            colour = mix(start, end, t * 0.85 + (y / (height - 1)) * 0.15)
            d = (x - y * 1.6 - width * 0.62) / (width * 0.22)
            sheen = max(0.0, 1.0 - d * d) * 0.10
            colour = mix(colour, WHITE, sheen)
            pixels[x, y] = rgba(colour)
    return image


def main_background(start, end):
    """Smooth enough to be stretched over any header band or dialog."""
    return brand_gradient(pixels(480), pixels(140), start, end)


def tab_item(start, end, accent):
    """Three 43 x 32 cells: normal, hot, selected. Tabs sit on the coloured
    band as pale chips so that one dark text colour reads in every state; the
    selected one is white like the tool bar below it. The 20-pixel edges stay
    fixed when stretched, so the rounded corners never blur."""
    cells = []
    tint = mix(mix(start, end, 0.5), WHITE, 0.80)
    for state in ("normal", "hot", "selected"):
        image, draw = canvas(43, 32)
        shape = box(1, 2, 42, 32 + 8)   # the bottom corners fall outside: square bottom
        if state == "normal":
            draw.rounded_rectangle(shape, radius=7 * SCALE, fill=rgba(tint, 200))
        elif state == "hot":
            draw.rounded_rectangle(shape, radius=7 * SCALE, fill=rgba(mix(tint, WHITE, 0.55), 245))
        else:
            draw.rounded_rectangle(shape, radius=7 * SCALE, fill=rgba(WHITE))
            draw.rounded_rectangle(box(1, 2, 42, 12), radius=7 * SCALE, fill=rgba(accent))
            draw.rectangle(box(1, 4.5, 42, 14), fill=rgba(WHITE))
        cells.append(finish(image))
    return sprite(cells)


def skin_thumbnail(start, end, accent):
    """Two cells: the skin in miniature, and the same with a hover ring."""
    width, height = 118, 78
    # The miniature is drawn in display pixels: each logical rectangle
    # covers the display pixels of its edges.
    def area(x0, y0, x1, y1):
        return [pixels(x0), pixels(y0), pixels(x1 + 1) - 1, pixels(y1 + 1) - 1]
    shot = Image.new("RGBA", (pixels(width), pixels(height)), rgba(WHITE))
    shot.paste(main_background(start, end).resize((pixels(width), pixels(22)), Image.LANCZOS), (0, 0))
    d = ImageDraw.Draw(shot)
    d.rectangle(area(0, 14, width - 1, 21), fill=rgba(mix(mix(start, end, 0.5), WHITE, 0.86)))
    d.rectangle(area(4, 15, 30, 21), fill=rgba(WHITE))
    d.rectangle(area(4, 15, 30, 15), fill=rgba(accent))
    d.rectangle(area(0, 22, 14, height - 1), fill=rgba(PAGE))
    for row in range(3):
        for col in range(3):
            x = 20 + col * 32
            y = 27 + row * 16
            d.rectangle(area(x, y, x + 27, y + 12), fill=rgba(mix(start, WHITE, 0.78 - 0.12 * ((row + col) % 2))))
    cells = []
    for hot in (False, True):
        image, draw = canvas(width + 8, height + 8)
        mask = Image.new("L", image.size, 0)
        ImageDraw.Draw(mask).rounded_rectangle(box(4, 4, width + 4, height + 4), radius=5 * SCALE, fill=255)
        image.paste(shot.resize((width * SCALE, height * SCALE), Image.NEAREST), (4 * SCALE, 4 * SCALE),
                    mask.crop((4 * SCALE, 4 * SCALE, (width + 4) * SCALE, (height + 4) * SCALE)))
        ring = accent if hot else BORDER
        draw.rounded_rectangle(box(0.5 if hot else 3.5, 0.5 if hot else 3.5, width + (7.5 if hot else 4.5),
                                   height + (7.5 if hot else 4.5)),
                               radius=(8 if hot else 5) * SCALE, outline=rgba(ring), width=stroke(2.5 if hot else 1))
        cells.append(finish(image))
    return sprite(cells)


# ---------------------------------------------------------------- buttons

def state_fill(state, base, alphas):
    """The hover/press background colour for a state, or None."""
    alpha = alphas.get(state)
    return None if alpha is None else rgba(base, alpha)


def icon_button(glyph, width, height, icon_size, icon_x, ink, hover, alphas, radius=4):
    """Three cells (normal, hot, pushed) of a button with an icon at the left
    or centre and room for the control's text; stretch with corner='l,0,6,0'."""
    cells = []
    for state in ("normal", "hot", "pushed"):
        image, draw = canvas(width, height)
        fill = state_fill(state, hover, alphas)
        if fill:
            draw.rounded_rectangle(box(0, 0, width, height), radius=radius * SCALE, fill=fill)
        x = (width - icon_size) / 2 if icon_x is None else icon_x
        glyph(draw, x, (height - icon_size) / 2, icon_size, rgba(ink))
        cells.append(finish(image))
    return sprite(cells)


def rail_button(glyph):
    """Left rail entries: icon above the caption the control draws."""
    cells = []
    for state in ("normal", "hot", "pushed"):
        image, draw = canvas(72, 64)
        if state != "normal":
            draw.rounded_rectangle(box(6, 4, 66, 60), radius=6 * SCALE,
                                   fill=rgba((0xE6, 0xEE, 0xFA) if state == "hot" else (0xD6, 0xE4, 0xF8)))
        glyph(draw, 25, 12, 22, rgba(BRAND if state != "normal" else INK))
        cells.append(finish(image))
    return sprite(cells)


def system_button(glyph, danger=False):
    """Minimise, maximise, restore and close, white on the header band."""
    cells = []
    for state in ("normal", "hot", "pushed"):
        image, draw = canvas(34, 30)
        if state != "normal":
            if danger:
                draw.rectangle(box(0, 0, 34, 30), fill=rgba(DANGER if state == "hot" else (0xC5, 0x30, 0x36)))
            else:
                draw.rectangle(box(0, 0, 34, 30), fill=rgba(WHITE, 44 if state == "hot" else 72))
        glyph(draw, 7, 5, 20, rgba(WHITE, 235))
        cells.append(finish(image))
    return sprite(cells)


def tab_close(state):
    """12 x 12 close mark of a game tab."""
    image, draw = canvas(12, 12)
    if state == "normal":
        glyph_close(draw, 0, 0, 12, rgba((0x8A, 0x91, 0x9C)), weight=2.4)
    else:
        draw.ellipse(box(0, 0, 12, 12), fill=rgba(DANGER if state == "hot" else (0xB8, 0x2A, 0x30)))
        glyph_close(draw, 1.5, 1.5, 9, rgba(WHITE), weight=2.6)
    return finish(image)


def dialog_button(primary):
    """80 x 30 cells: normal, hot, pushed; stretch with corner='6,6,6,6'."""
    cells = []
    for state in ("normal", "hot", "pushed"):
        image, draw = canvas(80, 30)
        if primary:
            colour = {"normal": BRAND, "hot": (0x40, 0x96, 0xFF), "pushed": (0x09, 0x58, 0xD9)}[state]
            draw.rounded_rectangle(box(0, 0, 80, 30), radius=4 * SCALE, fill=rgba(colour))
        else:
            fill = (0xEE, 0xF3, 0xFB) if state == "pushed" else WHITE
            edge = BORDER if state == "normal" else BRAND
            draw.rounded_rectangle(box(0, 0, 80, 30), radius=4 * SCALE, fill=rgba(fill), outline=rgba(edge),
                                   width=stroke(1))
        cells.append(finish(image))
    return sprite(cells)


def ghost_button():
    """Text-only button on the header band (login): 16 x 30 cells, corner 6."""
    cells = []
    for alpha in (None, 40, 70):
        image, draw = canvas(16, 30)
        if alpha:
            draw.rounded_rectangle(box(0, 0, 16, 30), radius=4 * SCALE, fill=rgba(WHITE, alpha))
        cells.append(finish(image))
    return sprite(cells)


def check_marks(round_mark):
    """Four 20 x 20 cells: normal, hot, checked, checked hot. The mark sits at
    the left; corner='20,0,0,0' keeps it whole next to the control's text."""
    cells = []
    for checked in (False, True):
        for hot in (False, True):
            image, draw = canvas(20, 20)
            area = box(2, 2, 18, 18)
            edge = rgba(BRAND if (hot or checked) else (0xA8, 0xB0, 0xBC))
            if round_mark:
                draw.ellipse(area, fill=rgba(WHITE), outline=edge, width=stroke(1.3))
                if checked:
                    draw.ellipse(box(6, 6, 14, 14), fill=rgba(BRAND))
            else:
                fill = rgba(BRAND) if checked else rgba(WHITE)
                draw.rounded_rectangle(area, radius=3 * SCALE, fill=fill, outline=edge, width=stroke(1.3))
                if checked:
                    draw.line(pts([(5.5, 10), (8.6, 13), (14.5, 7)]), fill=rgba(WHITE), width=stroke(1.8),
                              joint="curve")
            cells.append(finish(image))
    return sprite(cells)


def menu_item_hot():
    image, draw = canvas(24, 24)
    draw.rounded_rectangle(box(0, 0, 24, 24), radius=3 * SCALE, fill=rgba((0xE8, 0xF1, 0xFF)))
    return finish(image)


# ---------------------------------------------------------------- logo and icon

def logo(size):
    """Rounded square with the brand gradient and a white game pad."""
    image, draw = canvas(size, size)
    inset = size * 0.04
    mask = Image.new("L", image.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle(box(inset, inset, size - inset, size - inset),
                                           radius=size * 0.22 * SCALE, fill=255)
    gradient = Image.new("RGBA", image.size)
    pixels = gradient.load()
    top, bottom = (0x3B, 0xA6, 0xFF), (0x12, 0x4F, 0xD6)
    for y in range(image.height):
        row = rgba(mix(top, bottom, y / (image.height - 1)))
        for x in range(image.width):
            pixels[x, y] = row
    image.paste(gradient, (0, 0), mask)
    pad = size * 0.64
    glyph_gamepad(draw, (size - pad) / 2, (size - pad) / 2 + size * 0.02, pad, rgba(WHITE))
    # buttons and cross of the pad, cut out in the brand colour
    s = pad / 20.0
    ox, oy = (size - pad) / 2, (size - pad) / 2 + size * 0.02
    cut = rgba((0x1E, 0x6C, 0xE8))
    draw.rectangle(box(ox + 4.2 * s, oy + 9.3 * s, ox + 8.4 * s, oy + 10.7 * s), fill=cut)
    draw.rectangle(box(ox + 5.6 * s, oy + 7.9 * s, ox + 7 * s, oy + 12.1 * s), fill=cut)
    draw.ellipse(box(ox + 12.2 * s, oy + 8 * s, ox + 14 * s, oy + 9.8 * s), fill=cut)
    draw.ellipse(box(ox + 14.4 * s, oy + 10.2 * s, ox + 16.2 * s, oy + 12 * s), fill=cut)
    return finish(image)


def icon_entry(image):
    """One icon image as a 32-bit DIB with its AND mask, the form every
    Windows version reads."""
    width, height = image.size
    row_mask = ((width + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0,
                         width * height * 4 + row_mask * height, 0, 0, 0, 0)
    colour = BytesIO()
    mask = BytesIO()
    pixels = image.load()
    for y in range(height - 1, -1, -1):
        bits = bytearray(row_mask)
        for x in range(width):
            r, g, b, a = pixels[x, y]
            colour.write(bytes((b, g, r, a)))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask.write(bits)
    return header + colour.getvalue() + mask.getvalue()


def write_icon(path, sizes):
    entries = [icon_entry(logo(size)) for size in sizes]
    out = BytesIO()
    out.write(struct.pack("<HHH", 0, 1, len(sizes)))
    offset = 6 + 16 * len(sizes)
    for size, data in zip(sizes, entries):
        out.write(struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset))
        offset += len(data)
    for data in entries:
        out.write(data)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as file:
        file.write(out.getvalue())


# ---------------------------------------------------------------- setup program
# NSIS's modern wizard shows the tall picture left of the welcome and finish
# pages and the small one in the header of the pages between; both in the
# Default skin, which a new installation starts with.

WIZARD_SIZE = (164, 314)
HEADER_SIZE = (150, 57)


def logo_tile(image, size, cx, cy):
    """The logo on a white rim with a soft shadow, centred at (cx, cy), so
    that it stands out from the gradient it shares its blues with."""
    rim = size * 0.12
    radius = (size * 0.2 + rim) * SCALE
    x0, y0 = cx - size / 2 - rim, cy - size / 2 - rim
    x1, y1 = cx + size / 2 + rim, cy + size / 2 + rim
    layer, draw = canvas(image.width, image.height)
    drop = size * 0.05
    draw.rounded_rectangle(box(x0, y0 + drop, x1, y1 + drop), radius=radius, fill=rgba((0x0A, 0x2A, 0x6E), 60))
    draw.rounded_rectangle(box(x0, y0, x1, y1), radius=radius, fill=rgba(WHITE, 240))
    image.alpha_composite(finish(layer))
    image.alpha_composite(logo(size), (round(cx - size / 2), round(cy - size / 2)))


def wizard_picture():
    start, end, _ = SKINS["Default"]
    width, height = WIZARD_SIZE
    image = brand_gradient(width, height, start, end)
    logo_tile(image, 76, width / 2, 104)
    return image


def header_picture():
    """The gradient at the right, fading into the header's white at the left,
    with the logo."""
    start, end, _ = SKINS["Default"]
    width, height = HEADER_SIZE
    image = brand_gradient(width, height, start, end)
    fade = Image.new("L", (width, height))
    ramp = [min(1.0, x / (width * 0.5)) for x in range(width)]
    fade.putdata([round(255 * t * t * (3 - 2 * t)) for y in range(height) for t in ramp])
    picture = Image.new("RGBA", (width, height), rgba(WHITE))
    picture.paste(image, (0, 0), fade)
    logo_tile(picture, 38, width - 32, height / 2)
    return picture


def write_installer_pictures(folder):
    """24-bit uncompressed BMPs, the one form every NSIS page reads."""
    os.makedirs(folder, exist_ok=True)
    wizard_picture().convert("RGB").save(os.path.join(folder, "wizard.bmp"))
    header_picture().convert("RGB").save(os.path.join(folder, "header.bmp"))


# ---------------------------------------------------------------- package

# Tool bar buttons: icon at the left, the control draws its caption.
TOOLS = {
    "tool_home.png": glyph_home,
    "tool_search.png": glyph_search,
    "tool_phone.png": glyph_phone,
    "tool_payment.png": glyph_payment,
    "tool_service.png": glyph_service,
    "tool_fullscreen.png": glyph_fullscreen,
    "tool_accounts.png": glyph_accounts,
}
HEADER_SQUARES = {
    "btn_skin.png": glyph_skin,
    "btn_menu.png": glyph_menu,
    "btn_down.png": glyph_chevron,
}
# Left rail of the home page: icon above the caption.
RAIL = {
    "rail_phone.png": glyph_phone,
    "rail_accounts.png": glyph_accounts,
    "rail_skin.png": glyph_skin,
    "rail_menu.png": glyph_menu,
}
SYSTEM = {
    "sys_min.png": (glyph_minimise, False),
    "sys_max.png": (glyph_maximise, False),
    "sys_restore.png": (glyph_restore, False),
    "sys_close.png": (glyph_close, True),
}


def make_skins():
    for name, (start, end, accent) in SKINS.items():
        folder = os.path.join(SKIN_ROOT, name)
        save(main_background(start, end), folder, "mainbg.png")
        save(tab_item(start, end, accent), folder, "main_wnd_tab_item.png")
        save(skin_thumbnail(start, end, accent), folder, "thumb.png")


def make_shared():
    hover_on_band = {"hot": 40, "pushed": 70}
    hover_on_light = {"hot": 20, "pushed": 36}
    for file, glyph in TOOLS.items():
        save(icon_button(glyph, 40, 26, 16, 10, INK, (0x1F, 0x3A, 0x66), hover_on_light), SHARED, file)
    for file, glyph in HEADER_SQUARES.items():
        width = 18 if glyph is glyph_chevron else 30
        save(icon_button(glyph, width, 30, 16 if width == 18 else 18, None, WHITE, WHITE, hover_on_band),
             SHARED, file)
    for file, glyph in RAIL.items():
        save(rail_button(glyph), SHARED, file)
    for file, (glyph, danger) in SYSTEM.items():
        save(system_button(glyph, danger), SHARED, file)
    save(tab_close("normal"), SHARED, "tab_btn_close_normal.png")
    save(tab_close("hot"), SHARED, "tab_btn_close_hot.png")
    save(tab_close("pushed"), SHARED, "close_push.png")
    save(dialog_button(True), SHARED, "btn_primary.png")
    save(dialog_button(False), SHARED, "btn_default.png")
    save(ghost_button(), SHARED, "btn_ghost.png")
    save(check_marks(False), SHARED, "checkbox.png")
    save(check_marks(True), SHARED, "radio.png")
    save(menu_item_hot(), SHARED, "menu_item_hot.png")
    save(logo(24), SHARED, "logo_24.png")
    save(logo(64), SHARED, "logo_64.png")
    phone, draw = canvas(96, 96)
    draw.ellipse(box(0, 0, 96, 96), fill=rgba((0xE8, 0xF1, 0xFF)))
    glyph_phone(draw, 24, 24, 48, rgba(BRAND))
    save(finish(phone), SHARED, "phone_page.png")


def main():
    parser = argparse.ArgumentParser(description="Draws the skin's images and the program icon into the sources.")
    parser.add_argument("--installer-pictures", metavar="FOLDER",
                        help="write only the setup program's wizard.bmp and header.bmp into FOLDER")
    args = parser.parse_args()
    if args.installer_pictures:
        write_installer_pictures(args.installer_pictures)
        return
    for percent in SKIN_PERCENTS:
        at_scale(percent)
        make_skins()
        make_shared()
    at_scale(100)
    # Small and large icons of the usual display scales.
    write_icon(ICON_PATH, (16, 20, 24, 32, 40, 48, 64))


if __name__ == "__main__":
    main()
