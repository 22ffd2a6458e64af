// The board: draws the core's text runs on a canvas as the Windows program's window draws them,
// in design pixels scaled to the screen, and turns pointer positions back into design pixels.

// A Mincho face, as the Windows program asks for "ＭＳ 明朝".
const MINCHO = '"MS Mincho", "ＭＳ 明朝", "IPAMincho", "IPA明朝", "Hiragino Mincho ProN", '
    + '"Yu Mincho", "Noto Serif JP", "Noto Serif CJK JP", serif';
// Measured on the Windows program: a character's cell is the font's height, its em is 92 % of
// that and its baseline 25 of 32 pixels down; a character's box is one square (two for a
// full-width one), its opaque background one pixel wider.
const EM = 0.92;
const BASELINE = 25 / 32;
const BOLD = 1 / 32;

const halfWidth = (code) => code < 0x80 || (code >= 0xff61 && code <= 0xff9f);

function cssColour(colorRef) {
    return `rgb(${colorRef & 0xff}, ${(colorRef >> 8) & 0xff}, ${(colorRef >> 16) & 0xff})`;
}

export class Board {
    constructor(canvas, layout) {
        this.canvas = canvas;
        this.layout = layout;
        this.width = layout.columns * layout.square;
        this.height = layout.rows * layout.square;
        this.context = canvas.getContext('2d');
        this.advances = new Map();
        this.cursor = null; // [column, row] of the keyboard's box, or null
    }

    // Sizes the canvas to cssWidth CSS pixels across, drawn at the screen's own pixels.
    resize(cssWidth, ratio) {
        const cssHeight = (cssWidth * this.height) / this.width;
        this.canvas.style.width = `${cssWidth}px`;
        this.canvas.style.height = `${cssHeight}px`;
        this.canvas.width = Math.round(cssWidth * ratio);
        this.canvas.height = Math.round(cssHeight * ratio);
        this.advances.clear();
    }

    advance(character) {
        if (!this.advances.has(character)) {
            this.advances.set(character, this.context.measureText(character).width);
        }
        return this.advances.get(character);
    }

    draw(runs) {
        const { context: c, layout } = this;
        const kx = this.canvas.width / this.width;
        const ky = this.canvas.height / this.height;
        c.setTransform(kx, 0, 0, ky, 0, -layout.boardTop * ky);
        c.fillStyle = '#000';
        c.fillRect(0, layout.boardTop, this.width, this.height);
        c.font = `${layout.fontWeight} ${layout.fontHeight * EM}px ${MINCHO}`;
        c.textBaseline = 'alphabetic';
        // Drawn around as well as filled: emboldened as Windows emboldens a face without a bold.
        c.lineWidth = layout.fontHeight * BOLD;
        c.lineJoin = 'round';
        for (const run of runs) {
            const characters = [...run.text];
            const boxes = characters.map((ch) => (halfWidth(ch.codePointAt(0)) ? 1 : 2) * layout.fontWidth);
            c.fillStyle = cssColour(run.backColor);
            c.fillRect(run.x, run.y, boxes.reduce((a, b) => a + b, 0) + 1, layout.fontHeight);
            c.fillStyle = c.strokeStyle = cssColour(run.textColor);
            let x = run.x;
            characters.forEach((ch, i) => {
                // Each glyph stretched across its box, as the Windows font is: the same layout
                // whatever face the browser finds.
                if (ch !== ' ') {
                    c.save();
                    c.translate(x, run.y + layout.fontHeight * BASELINE);
                    c.scale(boxes[i] / this.advance(ch), 1);
                    c.fillText(ch, 0, 0);
                    c.strokeText(ch, 0, 0);
                    c.restore();
                }
                x += boxes[i];
            });
        }
        if (this.cursor) {
            const [column, row] = this.cursor;
            c.strokeStyle = '#ffcc00';
            c.lineJoin = 'miter';
            c.lineWidth = 3;
            c.strokeRect(column * layout.square - 3.5, row * layout.square + layout.boardTop - 3.5,
                layout.square + 8, layout.square + 7);
        }
    }

    // The point of a pointer event in the window's client pixels, as a click there would give it.
    pointAt(event) {
        const box = this.canvas.getBoundingClientRect();
        const x = Math.floor(((event.clientX - box.left) * this.width) / box.width);
        const y = Math.floor(((event.clientY - box.top) * this.height) / box.height);
        return [Math.min(Math.max(x, 0), this.width - 1),
            Math.min(Math.max(y, 0), this.height - 1) + this.layout.boardTop];
    }
}
