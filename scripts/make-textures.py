#!/usr/bin/python3
"""Makes the effect textures that the resource manager serves from resources/remote/, and the preview
cards in resources/previews/effects/ of the Effects presets that use them.

Needs python3-numpy and python3-pil. The textures are fixed by their seeds, so running this again gives
the same files. Overlay textures are centred on mid-grey (128 changes nothing); the light leak is drawn
on black for screen blending (black changes nothing).

A card is the preset's textures and colour effects on a soft grey gradient, blended as the editor's
renderer does: it shows what the preset adds before its textures are downloaded, and pictures no
photo, so a tile never shows the sample photo while the user's own is open.
"""
import json
import pathlib

import numpy as np
from PIL import Image

SIZE = 512
RESOURCES = pathlib.Path(__file__).resolve().parent.parent / "resources"
OUT = RESOURCES / "remote"
CARDS = RESOURCES / "previews" / "effects"
# A tile's aspect, 200 x 120: shown unstretched in a tile that is not selected.
CARD_WIDTH, CARD_HEIGHT = 400, 240


def periodic_noise(rng, size, low, high, anisotropy=1.0):
    """Band-limited noise that tiles seamlessly: white noise filtered in the frequency domain."""
    spectrum = np.fft.fft2(rng.standard_normal((size, size)))
    fy = np.fft.fftfreq(size)[:, None] * size
    fx = np.fft.fftfreq(size)[None, :] * size
    radius = np.hypot(fx * anisotropy, fy)
    band = np.exp(-((radius / high) ** 2)) * (1.0 - np.exp(-((radius / low) ** 2)))
    noise = np.real(np.fft.ifft2(spectrum * band))
    return noise / noise.std()


def save_grey(name, values):
    Image.fromarray(np.clip(np.rint(values), 0, 255).astype(np.uint8), "L").save(OUT / name, optimize=True)


def paper(rng):
    # Soft clouds of pulp, fine tooth and long horizontal fibres.
    clouds = periodic_noise(rng, SIZE, 2, 12)
    tooth = periodic_noise(rng, SIZE, 60, 220)
    fibres = periodic_noise(rng, SIZE, 20, 160, anisotropy=8.0)
    save_grey("paper.png", 128 + 24 * clouds + 14 * tooth + 16 * fibres)


def film_dust(rng):
    grey = 128 + 10 * periodic_noise(rng, SIZE, 120, 260)
    yy, xx = np.mgrid[0:SIZE, 0:SIZE]
    for _ in range(55):
        # Specks wrap around the edges so that the tile stays seamless.
        cx, cy = rng.uniform(0, SIZE, 2)
        radius = rng.uniform(1.0, 4.5)
        dx = (xx - cx + SIZE / 2) % SIZE - SIZE / 2
        dy = (yy - cy + SIZE / 2) % SIZE - SIZE / 2
        speck = np.exp(-(dx**2 + dy**2) / (2 * radius**2))
        grey += (1 if rng.random() < 0.7 else -1) * rng.uniform(90, 127) * speck
    for _ in range(3):
        # Thin vertical scratches of uneven strength.
        x = rng.uniform(0, SIZE)
        dx = (xx - x + SIZE / 2) % SIZE - SIZE / 2
        strength = 90 * np.clip(periodic_noise(rng, SIZE, 1, 4)[:, :1] + 0.3, 0, None)
        grey += strength * np.exp(-(dx**2) / (2 * 0.8**2))
    save_grey("film-dust.png", grey)


def light_leak(rng):
    # Warm glows bleeding in from the left edge and the top right corner.
    yy, xx = np.mgrid[0:SIZE, 0:SIZE] / SIZE
    wobble = 0.03 * periodic_noise(rng, SIZE, 1, 3)
    left = np.exp(-(((xx + wobble) / 0.28) ** 2)) * (0.6 + 0.4 * np.sin(np.pi * yy))
    corner = np.exp(-(((1 - xx) ** 2 + yy**2) / 0.09))
    rgb = (left[..., None] * np.array([255, 96, 40]) + corner[..., None] * np.array([255, 196, 90]))
    Image.fromarray(np.clip(rgb, 0, 255).astype(np.uint8), "RGB").save(OUT / "light-leak.png", optimize=True)


def card():
    """Light grey at the top left to mid-grey at the bottom right, as 0..1 RGB."""
    yy, xx = np.mgrid[0:CARD_HEIGHT, 0:CARD_WIDTH]
    level = (176 - 80 * (xx / CARD_WIDTH + yy / CARD_HEIGHT) / 2) / 255
    return np.repeat(level[..., None], 3, axis=2)


def texture(picture, effect):
    amount = effect["amount"]
    # Tiles scale with the picture, as they do with a photo.
    width = round(effect["scale"] * max(CARD_WIDTH, CARD_HEIGHT))
    source = Image.open(OUT / effect["texture"]).convert("RGB")
    tile = np.asarray(source.resize((width, round(width * source.height / source.width)), Image.BICUBIC)) / 255
    tile = np.where(tile == 128 / 255, 0.5, tile)  # exactly the middle: mid-grey changes nothing
    reps = (-(-CARD_HEIGHT // tile.shape[0]), -(-CARD_WIDTH // tile.shape[1]), 1)
    t = np.tile(tile, reps)[:CARD_HEIGHT, :CARD_WIDTH]
    if effect["screen"]:
        blended = 1 - (1 - t) * (1 - picture)
    else:
        blended = (1 - 2 * t) * picture**2 + 2 * t * picture  # soft light
    return picture + amount * (blended - picture)


def temperature(picture, effect):
    shift = 0.2 * effect["amount"] / 100
    return picture * np.array([1 + shift, 1 + 0.2 * shift, 1 - shift])


def contrast(picture, effect):
    amount = effect["amount"] / 100
    slope = 1 + amount if amount < 0 else 1 + 2 * amount
    return (picture - 0.5) * slope + 0.5


def saturation(picture, effect):
    grey = picture @ np.array([0.299, 0.587, 0.114])
    # The renderer mixes towards grey by minus the amount.
    return picture - (effect["amount"] / 100) * (grey[..., None] - picture)


# Grain is left out: at a tile's size it is a faint shimmer that the textures hide.
EFFECTS = {"texture": texture, "temperature": temperature, "contrast": contrast, "saturation": saturation}


def preview_cards():
    config = json.loads((RESOURCES / "configs" / "GlimmarDemo" / "effects.json").read_text())
    for group in config["groups"]:
        for item in group["items"]:
            effects = item["effects"]
            if "previewFilename" not in item or not any(e["class"] == "texture" for e in effects):
                continue
            picture = card()
            for effect in effects:
                if effect["class"] in EFFECTS:
                    picture = np.clip(EFFECTS[effect["class"]](picture, effect), 0, 1)
            rgb = np.rint(picture * 255).astype(np.uint8)
            Image.fromarray(rgb, "RGB").save(CARDS / item["previewFilename"], optimize=True)


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    paper(np.random.default_rng(11))
    film_dust(np.random.default_rng(23))
    light_leak(np.random.default_rng(37))
    CARDS.mkdir(parents=True, exist_ok=True)
    preview_cards()


if __name__ == "__main__":
    main()
