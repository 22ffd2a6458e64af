// The game's pictures, the same BMP files the Windows program is built with, read here byte for
// byte (no colour management, no smoothing), at any of the scales they are drawn for.
const loaded = new Map();

// An uncompressed BMP of 8 bits with a palette, or of 24 or 32 bits, as RGBA.
function decodeBmp(buffer) {
    const view = new DataView(buffer);
    const offset = view.getUint32(10, true);
    const headerSize = view.getUint32(14, true);
    const width = view.getInt32(18, true);
    const storedHeight = view.getInt32(22, true);
    const height = Math.abs(storedHeight);
    const bits = view.getUint16(28, true);
    const colours = view.getUint32(46, true) || 256;
    const stride = Math.ceil((width * bits) / 32) * 4;
    const rgba = new Uint8ClampedArray(width * height * 4);
    for (let y = 0; y < height; y += 1) {
        // Rows are kept bottom first unless the height is negative.
        const row = offset + stride * (storedHeight > 0 ? height - 1 - y : y);
        for (let x = 0; x < width; x += 1) {
            let at;
            if (bits === 8) {
                const index = Math.min(view.getUint8(row + x), colours - 1);
                at = 14 + headerSize + 4 * index;
            } else {
                at = row + x * (bits / 8);
            }
            const o = 4 * (y * width + x);
            rgba[o] = view.getUint8(at + 2);
            rgba[o + 1] = view.getUint8(at + 1);
            rgba[o + 2] = view.getUint8(at);
            rgba[o + 3] = 255;
        }
    }
    return new ImageData(rgba, width, height);
}

export function loadPicture(name, scale) {
    const key = `${scale}/${name}`;
    if (!loaded.has(key)) {
        loaded.set(key, fetch(`pictures/${key}`)
            .then((response) => {
                if (!response.ok) {
                    throw new Error(`${key}: ${response.status}`);
                }
                return response.arrayBuffer();
            })
            .then(decodeBmp));
    }
    return loaded.get(key);
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

// Draws an image's pixels into a canvas at its own size; drawn scaled from there without smoothing.
export function canvasOf(image) {
    const canvas = document.createElement('canvas');
    canvas.width = image.width;
    canvas.height = image.height;
    canvas.getContext('2d').putImageData(image, 0, 0);
    return canvas;
}
