#!/usr/bin/env python3
"""Puts the web page together: build_web.py MODULE.wasm FOLDER GENERATED

FOLDER receives the page (web/: its HTML and CSS, and its JavaScript modules bundled into one,
page.js, both minified by esbuild), the game's module, the pictures at every scale as PNG files
made here from the BMP files of resources/, its icon, the help page with its version
(GENERATED, the build tree's generated files), and three files written here:
- resources.js: the dialog templates, picture names and ids of the resource script and
  resource.h, so that the page shows the Windows program's own texts in its own layout; a text
  the script names by a macro is the build's (GENERATED/build_settings.h, whose definitions
  stand before the script's own);
- manifest.webmanifest: what installing the page needs, with the icons that resources/ has;
- sw.js: the service worker, with the list of files to keep for offline use and a version made
  of their contents, so that a changed page replaces the kept one.
"""
import hashlib
import json
import os
import re
import shutil
import struct
import subprocess
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCES = os.path.join(HERE, "..", "resources")
ENTRY = "app.js"
ICONS = [("icon-192.png", "192x192", "image/png"), ("icon-512.png", "512x512", "image/png")]
# The page's own icon: the Windows program's 32-pixel one, as PNG.
FAVICON = "icon-32.png"


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def defines():
    found = re.findall(r"^#define\s+(\w+)\s+(-?\d+)", read(os.path.join(RESOURCES, "resource.h")),
                       re.M)
    return {name: int(value) for name, value in found}


def strings(*texts):
    """The string macros that #define lines of texts give, the earlier text's first."""
    found = {}
    for text in reversed(texts):
        found.update(re.findall(r'^#define\s+(\w+)\s+"(.*)"$', text, re.M))
    return found


def dialogs(script, ids, macros):
    def number(token):
        token = token.strip()
        return ids[token] if token in ids else int(token)

    def string(token):
        if token.startswith('"'):
            return token[1:-1]
        if token not in macros:
            sys.exit(f"build_web.py: the resource script's {token} is defined nowhere")
        return macros[token]

    found = {}
    pattern = r"^(\w+) DIALOG (\d+), (\d+), (\d+), (\d+)\n(.*?)^BEGIN\n(.*?)^END"
    for name, x, y, width, height, head, body in re.findall(pattern, script, re.M | re.S):
        controls = []
        for line in body.strip().splitlines():
            match = re.match(r'\s*CONTROL ("[^"]*"|\w+), ([^,]+), "(\w+)", ([^,]+), (\d+), (\d+), '
                             r'(\d+), (\d+)$', line)
            text, ident, kind, style, cx, cy, cw, ch = match.groups()
            controls.append({"text": string(text), "id": number(ident), "kind": kind.upper(),
                             "style": [s.strip() for s in style.split("|")],
                             "box": [int(cx), int(cy), int(cw), int(ch)]})
        found[name] = {"caption": re.search(r'^CAPTION "(.*)"', head, re.M).group(1),
                       "box": [int(x), int(y), int(width), int(height)],
                       "controls": controls}
    return found


def bitmaps(script, ids):
    return {ids[name]: file for name, file in re.findall(r'^(\w+) BITMAP "(.+)"', script, re.M)}


IMPORT = re.compile(r"^import (\{[^}]*\}|\* as (\w+)) from '\./([\w.]+)';\n", re.M)
EXPORT = re.compile(r"^export ((?:async )?(?:function|class|const|let) (\w+))", re.M)


def bundle(sources):
    """The page's modules as one: every module but the entry runs in a function of its own, in the
    order their imports need, and hands its exports to those that import it; the entry runs last,
    at the top level, where it may await. One file instead of nine takes a cold start of the page
    from two rounds of requests to one. The modules keep to what this reads: an import a line,
    of names or of the whole module, from "./"; exports marked on their declarations."""
    done, parts = [], []

    def imports_of(name):
        lines = []
        for names, namespace, source in IMPORT.findall(sources[name]):
            add(source)
            variable = "module_" + re.sub(r"\W", "_", source)
            lines.append(f"const {namespace or names} = {variable};")
        return "\n".join(lines) + "\n"

    def add(name):
        if name in done:
            return
        done.append(name)
        head = imports_of(name)
        body = IMPORT.sub("", sources[name])
        if name == ENTRY:
            parts.append(head + body)
            return
        exported = ", ".join(m[1] for m in EXPORT.findall(body))
        variable = "module_" + re.sub(r"\W", "_", name)
        body = EXPORT.sub(r"\1", body)
        parts.append(f"// {name}\nconst {variable} = (() => {{\n{head}{body}"
                     f"return {{ {exported} }};\n}})();\n")

    add(ENTRY)
    return "\n".join(parts)


def palette_picture(data, at, width, height, pixels):
    """The rows, top first, of palette indices of the 8-bit DIB whose header starts at `at`
    (stored bottom row first, each padded to four bytes), and its palette as (r, g, b)."""
    header, _, _, _, bits, compression = struct.unpack_from("<IiiHHI", data, at)
    colours = struct.unpack_from("<I", data, at + 32)[0] or 256
    if bits != 8 or compression != 0:
        sys.exit("build_web.py: the pictures must be uncompressed 8-bit BMP files")
    palette = [(data[p + 2], data[p + 1], data[p]) for p in range(at + header, at + header + 4 * colours, 4)]
    stride = (width + 3) // 4 * 4
    rows = [data[pixels + stride * (height - 1 - y):][:width] for y in range(height)]
    return palette, rows


def read_bmp(path):
    with open(path, "rb") as f:
        data = f.read()
    width, height = struct.unpack_from("<ii", data, 18)
    return (width, height) + palette_picture(data, 14, width, height,
                                             struct.unpack_from("<I", data, 10)[0])


def read_icon(path):
    """The icon's 32 x 32 image of 256 colours, its transparent pixels (the AND mask's ones) as
    palette index None."""
    with open(path, "rb") as f:
        data = f.read()
    for entry in range(struct.unpack_from("<H", data, 4)[0]):
        size, _, _, _, _, bits, _, at = struct.unpack_from("<BBBBHHII", data, 6 + 16 * entry)
        if size == 32 and bits == 8:
            break
    else:
        sys.exit("build_web.py: main.ico has no 32 x 32 image of 256 colours")
    palette, rows = palette_picture(data, at, 32, 32, at + 40 + 4 * 256)
    mask = at + 40 + 4 * 256 + 32 * 32
    rows = [[None if data[mask + 4 * (31 - y) + x // 8] >> (7 - x % 8) & 1 else i
             for x, i in enumerate(row)] for y, row in enumerate(rows)]
    return 32, 32, palette, rows


def png(width, height, palette, rows):
    """An indexed PNG of exactly the picture's colours, at the fewest bits a pixel that hold them;
    index None is transparent. Without a colour space of its own, it is read back with the same
    values wherever it is drawn unscaled."""
    used = sorted(set().union(*map(set, rows)), key=lambda i: (i is not None, i))
    number = {index: n for n, index in enumerate(used)}
    bits = next(b for b in (1, 2, 4, 8) if len(used) <= 1 << b)
    per_byte = 8 // bits
    lines = []
    for row in rows:
        values = [number[i] for i in row] + [0] * (-width % per_byte)
        packed = [0]  # no filter: the best for pictures of few colours
        for x in range(0, len(values), per_byte):
            byte = 0
            for value in values[x:x + per_byte]:
                byte = byte << bits | value
            packed.append(byte)
        lines.append(bytes(packed))
    raw = b"".join(lines)
    compressed = []
    for strategy in (zlib.Z_DEFAULT_STRATEGY, zlib.Z_FILTERED, zlib.Z_RLE):
        packer = zlib.compressobj(9, zlib.DEFLATED, 15, 9, strategy)
        compressed.append(packer.compress(raw) + packer.flush())

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    colours = b"".join(bytes(palette[i]) if i is not None else bytes(3) for i in used)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, bits, 3, 0, 0, 0))
            + chunk(b"PLTE", colours)
            + (chunk(b"tRNS", b"\0") if None in number else b"")
            + chunk(b"IDAT", min(compressed, key=len)) + chunk(b"IEND", b""))


def write_png(picture, target):
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with open(target, "wb") as f:
        f.write(png(*picture))


def write_pictures(names, out):
    """The bitmaps of the resource script (id: file name) as PNG files in out/pictures/SCALE/, at
    100 % and at every larger scale that resources/ has a folder with them for. Pictures of one
    size share a file, side by side in the script's order: their rows together pack far smaller
    (the brains differ in their wrinkles only). Returns for each id its file, its place among the
    file's pictures, how many these are, and its scales."""
    scales = [100] + sorted(int(d) for d in os.listdir(RESOURCES)
                            if d.isdigit() and os.path.isdir(os.path.join(RESOURCES, d)))
    sizes = {}
    for ident, name in names.items():
        sizes.setdefault(read_bmp(os.path.join(RESOURCES, name))[:2], []).append(ident)
    table = {}
    for members in sizes.values():
        stems = [os.path.splitext(names[i])[0] for i in members]
        file = (os.path.commonprefix(stems) or stems[0]) + ".png"
        found = []
        for scale in scales:
            folder = RESOURCES if scale == 100 else os.path.join(RESOURCES, str(scale))
            sources = [os.path.join(folder, names[i]) for i in members]
            if not any(map(os.path.exists, sources)):
                continue
            pictures = [read_bmp(source) for source in sources]
            if any(p[2] != pictures[0][2] for p in pictures):
                sys.exit(f"build_web.py: the pictures of {folder}/{file} differ in their palettes")
            width, height, palette, _ = pictures[0]
            rows = [b"".join(p[3][y] for p in pictures) for y in range(height)]
            write_png((width * len(pictures), height, palette, rows),
                      os.path.join(out, "pictures", str(scale), file))
            found.append(scale)
        for index, ident in enumerate(members):
            table[ident] = {"file": file, "index": index, "count": len(members), "scales": found}
    return table


def tool(name):
    found = shutil.which(name)
    if not found:
        sys.exit(f"build_web.py: {name} is missing (scripts/lib.sh installs it)")
    return found


def minified(loader, text):
    command = [tool("esbuild"), "--minify", f"--loader={loader}"]
    if loader == "js":
        command.append("--format=esm")  # a module: its top-level await stays
    return subprocess.run(command, input=text, capture_output=True, text=True, check=True).stdout


def copy(source, target):
    os.makedirs(os.path.dirname(target), exist_ok=True)
    shutil.copyfile(source, target)


def main():
    module, out, generated = sys.argv[1:4]
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    with open(os.path.join(out, "style.css"), "w", encoding="utf-8") as f:
        f.write(minified("css", read(os.path.join(HERE, "style.css"))))
    page = read(os.path.join(HERE, "index.html"))
    page = re.sub(r'<link rel="modulepreload" [^>]*>\n', "", page).replace('src="app.js"',
                                                                         'src="page.js"')
    with open(os.path.join(out, "index.html"), "w", encoding="utf-8") as f:
        f.write(page)
    copy(module, os.path.join(out, "mabatakiban.wasm"))
    copy(os.path.join(generated, "help.html"), os.path.join(out, "help.html"))
    write_png(read_icon(os.path.join(RESOURCES, "main.ico")), os.path.join(out, FAVICON))

    ids = defines()
    script = read(os.path.join(RESOURCES, "mabatakiban.rc"))
    pictures = write_pictures(bitmaps(script, ids), out)

    # The dialog templates, ids and pictures, as the module resources.js.
    macros = strings(read(os.path.join(generated, "build_settings.h")), script)
    sources = {"resources.js": "".join(
        f"export const {name} = {json.dumps(value, ensure_ascii=False)};\n"
        for name, value in [("ids", ids), ("dialogs", dialogs(script, ids, macros)),
                            ("pictures", pictures)])}
    for name in os.listdir(HERE):
        if name.endswith(".js") and name != "sw.js":
            sources[name] = read(os.path.join(HERE, name))
    with open(os.path.join(out, "page.js"), "w", encoding="utf-8") as f:
        f.write(minified("js", bundle(sources)))

    icons = [{"src": FAVICON, "sizes": "32x32", "type": "image/png"}]
    for name, size, kind in ICONS:
        if os.path.exists(os.path.join(RESOURCES, name)):
            copy(os.path.join(RESOURCES, name), os.path.join(out, name))
            icons.append({"src": name, "sizes": size, "type": kind, "purpose": "any"})
    manifest = {"name": "瞬記盤「まばたきばん」", "short_name": "まばたきばん", "lang": "ja",
                "start_url": "./", "scope": "./", "display": "standalone",
                "background_color": "#000000", "theme_color": "#000000", "icons": icons}
    with open(os.path.join(out, "manifest.webmanifest"), "w", encoding="utf-8") as f:
        json.dump(manifest, f, ensure_ascii=False, indent=1)

    # Kept for offline use: everything any screen of the page may show, the pictures of every
    # scale among it, since a zoom or another screen changes the scale; the page as "./", which
    # the worker answers for index.html too. Only the icons of the manifest are left to the
    # browser, which keeps them when it installs the page.
    found = sorted(os.path.relpath(os.path.join(d, n), out).replace(os.sep, "/")
                   for d, _, names in os.walk(out) for n in names)
    kept = ["./"] + [f for f in found if f not in ["index.html"] + [name for name, _, _ in ICONS]]
    digest = hashlib.sha256()
    for name in found:
        with open(os.path.join(out, name), "rb") as f:
            digest.update(name.encode() + b"\0" + f.read())
    worker = read(os.path.join(HERE, "sw.js"))
    worker = worker.replace("/*FILES*/[]", json.dumps(kept)).replace("/*VERSION*/",
                                                                   digest.hexdigest()[:16])
    with open(os.path.join(out, "sw.js"), "w", encoding="utf-8") as f:
        f.write(worker)


main()
