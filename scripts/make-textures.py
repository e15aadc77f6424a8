#!/usr/bin/python3
"""Makes the effect textures that the resource manager serves from resources/remote/.

Needs python3-numpy and python3-pil. The textures are fixed by their seeds, so running this again gives
the same files. Overlay textures are centred on mid-grey (128 changes nothing); the light leak is drawn
on black for screen blending (black changes nothing).
"""
import pathlib

import numpy as np
from PIL import Image

SIZE = 512
OUT = pathlib.Path(__file__).resolve().parent.parent / "resources" / "remote"


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


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    paper(np.random.default_rng(11))
    film_dust(np.random.default_rng(23))
    light_leak(np.random.default_rng(37))


if __name__ == "__main__":
    main()
