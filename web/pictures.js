// The game's pictures: PNG files the build makes from the BMP files the Windows program is built
// with, each at the scales resources/ draws it for, read back value for value (no colour
// management, no smoothing), so that the key colours stay exact.
import { pictures } from './resources.js';

const loaded = new Map();

async function decode(response) {
    if (!response.ok) {
        throw new Error(`${response.url}: ${response.status}`);
    }
    const bitmap = await createImageBitmap(await response.blob(),
        { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
    const canvas = document.createElement('canvas');
    canvas.width = bitmap.width;
    canvas.height = bitmap.height;
    const c = canvas.getContext('2d', { willReadFrequently: true });
    c.drawImage(bitmap, 0, 0);
    bitmap.close();
    return c.getImageData(0, 0, canvas.width, canvas.height);
}

function loadFile(name) {
    if (!loaded.has(name)) {
        loaded.set(name, fetch(`pictures/${name}`).then(decode));
    }
    return loaded.get(name);
}

// Bitmap id (an IDB_ id) at scale percent, as ImageData: its part of the file it shares with the
// pictures of its size.
export async function loadPicture(id, scale) {
    const { file, index, count } = pictures[id];
    const all = await loadFile(`${scale}/${file}`);
    const width = all.width / count;
    const part = new ImageData(width, all.height);
    for (let y = 0; y < all.height; y += 1) {
        const row = 4 * (y * all.width + index * width);
        part.data.set(all.data.subarray(row, row + 4 * width), 4 * y * width);
    }
    return part;
}

// The scale of bitmap id that covers `wanted` device pixels with the fewest pixels at least as
// many (its side is `side` pixels at 100 %, rounded at a scale as the pictures are drawn), so
// that it is only ever reduced; the largest where none is that large.
export function scaleCovering(id, side, wanted) {
    const { scales } = pictures[id];
    return scales.find((scale) => Math.floor((side * scale + 50) / 100) >= wanted) ?? scales[scales.length - 1];
}

// The evaluation's picture, composed as the Windows program composes it: the background, then
// inside the brain's rectangle the mask ANDed and the brain ORed. The key colours are pure black
// and white, so this is exact. brain is the rectangle at 100 %.
export function composeEvaluation(background, mask, picture, brain, scale) {
    const out = new ImageData(new Uint8ClampedArray(background.data), background.width, background.height);
    const left = Math.round((brain.left * scale) / 100);
    const top = Math.round((brain.top * scale) / 100);
    for (let y = 0; y < mask.height && top + y < out.height; y += 1) {
        for (let x = 0; x < mask.width && left + x < out.width; x += 1) {
            const o = 4 * ((top + y) * out.width + left + x);
            const i = 4 * (y * mask.width + x);
            for (let c = 0; c < 3; c += 1) {
                out.data[o + c] = (out.data[o + c] & mask.data[i + c]) | picture.data[i + c];
            }
        }
    }
    return out;
}

// Draws an image's pixels into a canvas at its own size, to be drawn from.
export function canvasOf(image) {
    const canvas = document.createElement('canvas');
    canvas.width = image.width;
    canvas.height = image.height;
    canvas.getContext('2d').putImageData(image, 0, 0);
    return canvas;
}
