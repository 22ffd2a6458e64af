#!/usr/bin/env python3
"""Puts the web page together: build_web.py MODULE.wasm FOLDER GENERATED

FOLDER receives the page (web/: its HTML and CSS, and its JavaScript modules bundled into one,
page.js), the game's module, the pictures at every scale (resources/) and the help page with its
version (GENERATED, the build tree's generated files), and three files written here:
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
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCES = os.path.join(HERE, "..", "resources")
ENTRY = "app.js"
ICONS = [("icon-192.png", "192x192", "image/png"), ("icon-512.png", "512x512", "image/png")]


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


def copy(source, target):
    os.makedirs(os.path.dirname(target), exist_ok=True)
    shutil.copyfile(source, target)


def main():
    module, out, generated = sys.argv[1:4]
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    copy(os.path.join(HERE, "style.css"), os.path.join(out, "style.css"))
    page = read(os.path.join(HERE, "index.html"))
    page = re.sub(r'<link rel="modulepreload" [^>]*>\n', "", page).replace('src="app.js"',
                                                                         'src="page.js"')
    with open(os.path.join(out, "index.html"), "w", encoding="utf-8") as f:
        f.write(page)
    copy(module, os.path.join(out, "mabatakiban.wasm"))
    copy(os.path.join(generated, "help.html"), os.path.join(out, "help.html"))
    copy(os.path.join(RESOURCES, "main.ico"), os.path.join(out, "main.ico"))

    ids = defines()
    script = read(os.path.join(RESOURCES, "mabatakiban.rc"))
    pictures = bitmaps(script, ids)
    # The pictures at 100 %, and at every larger scale resources/ has a folder for.
    scales = [100] + sorted(int(d) for d in os.listdir(RESOURCES)
                            if d.isdigit() and os.path.isdir(os.path.join(RESOURCES, d)))
    for scale in scales:
        folder = RESOURCES if scale == 100 else os.path.join(RESOURCES, str(scale))
        for name in pictures.values():
            if os.path.exists(os.path.join(folder, name)):
                copy(os.path.join(folder, name), os.path.join(out, "pictures", str(scale), name))

    # The dialog templates, ids and picture names, as the module resources.js.
    macros = strings(read(os.path.join(generated, "build_settings.h")), script)
    sources = {"resources.js": "".join(
        f"export const {name} = {json.dumps(value, ensure_ascii=False)};\n"
        for name, value in [("ids", ids), ("dialogs", dialogs(script, ids, macros)),
                            ("bitmaps", pictures)])}
    for name in os.listdir(HERE):
        if name.endswith(".js") and name != "sw.js":
            sources[name] = read(os.path.join(HERE, name))
    with open(os.path.join(out, "page.js"), "w", encoding="utf-8") as f:
        f.write("// Written by build_web.py from the modules of web/ and the resource script.\n")
        f.write(bundle(sources))

    icons = [{"src": "main.ico", "sizes": "32x32", "type": "image/x-icon"}]
    for name, size, kind in ICONS:
        if os.path.exists(os.path.join(RESOURCES, name)):
            copy(os.path.join(RESOURCES, name), os.path.join(out, name))
            icons.append({"src": name, "sizes": size, "type": kind, "purpose": "any"})
    manifest = {"name": "瞬記盤「まばたきばん」", "short_name": "まばたきばん", "lang": "ja",
                "start_url": "./", "scope": "./", "display": "standalone",
                "background_color": "#000000", "theme_color": "#000000", "icons": icons}
    with open(os.path.join(out, "manifest.webmanifest"), "w", encoding="utf-8") as f:
        json.dump(manifest, f, ensure_ascii=False, indent=1)

    # Kept for offline use: everything but the pictures of the larger scales, which the page
    # keeps as it loads them (only those of the screen it runs on are ever needed).
    files = sorted(os.path.relpath(os.path.join(d, n), out).replace(os.sep, "/")
                   for d, _, names in os.walk(out) for n in names)
    kept = ["./"] + [f for f in files if not re.match(r"pictures/(?!100/)", f)]
    digest = hashlib.sha256()
    for name in files:
        with open(os.path.join(out, name), "rb") as f:
            digest.update(name.encode() + b"\0" + f.read())
    worker = read(os.path.join(HERE, "sw.js"))
    worker = worker.replace("/*FILES*/[]", json.dumps(kept)).replace("/*VERSION*/",
                                                                   digest.hexdigest()[:16])
    with open(os.path.join(out, "sw.js"), "w", encoding="utf-8") as f:
        f.write(worker)


main()
