// Modal windows like the Windows program's dialogs: a caption with a close box over a client
// area. Built from the program's own dialog templates where it has one, in their layout.
import { dialogs } from './resources.js';

// Dialog units to pixels, as the templates' 9-point font makes them (measured: 7 and 13 pixels
// to 4 and 8 units).
export const unitX = (units) => Math.round((units * 7) / 4);
export const unitY = (units) => Math.round((units * 13) / 8);
// The edit field of a drop-down list; the template's height includes the list that drops down.
const EDIT_HEIGHT = 13;
// The id of the resource script's controls that have none of their own.
const NO_ID = -1;

const shown = new Set();
let captions = 0;
// On a touch screen the dialogs grow to twice the Windows program's size where the screen allows,
// and each control stays a target of 24 x 24 pixels at least where it does not (the style sheet).
const touch = matchMedia('(pointer: coarse)');
const TOUCH_SCALE = 2;
const TABBABLE = 'button, input, select, iframe, [tabindex]';

export function dialogOpen() {
    return shown.size > 0;
}

// The template's box in pixels of the Windows dialog; the style sheet scales it by --k.
function place(element, [x, y, width, height]) {
    element.classList.add('placed');
    for (const [name, value] of [['--x', unitX(x)], ['--y', unitY(y)], ['--w', unitX(width)], ['--h', unitY(height)]]) {
        element.style.setProperty(name, `${value}px`);
    }
}

function element(tag, className, text) {
    const e = document.createElement(tag);
    e.className = className;
    if (text !== undefined) {
        e.textContent = text;
    }
    return e;
}

// The controls Tab stops at, in order: of a group of radio buttons, only the one chosen.
function tabStops(root) {
    return [...root.querySelectorAll(TABBABLE)].filter((e) => e.tabIndex >= 0 && !e.disabled
        && !e.classList.contains('guard') && e.getClientRects().length > 0
        && !(e.type === 'radio' && !e.checked && root.querySelector(`input[name="${e.name}"]:checked`)));
}

// A modal window. onClose is the close box; neither Esc nor Enter closes it. Tab and Shift+Tab go
// round its own controls, never out to the page: a focus that reaches either end is sent on to
// the other.
export class Window {
    constructor(caption, onClose, className = '') {
        this.element = element('dialog', `win ${className}`);
        const bar = element('div', 'caption');
        const title = element('span', 'title', caption);
        title.id = `caption-${++captions}`;
        this.element.setAttribute('aria-labelledby', title.id);
        const close = element('button', 'close', '×');
        close.type = 'button';
        close.setAttribute('aria-label', '閉じる');
        close.addEventListener('click', onClose);
        bar.append(title, close);
        this.client = element('div', 'client');
        const guard = (next) => {
            const e = element('span', 'guard');
            e.tabIndex = 0;
            e.addEventListener('focus', () => next(tabStops(this.element))?.focus());
            return e;
        };
        this.element.append(guard((stops) => stops[stops.length - 1]), bar, this.client, guard((stops) => stops[0]));
        this.element.addEventListener('cancel', (event) => event.preventDefault());
        this.element.addEventListener('keydown', (event) => {
            if (event.key === 'Escape') {
                event.preventDefault();
            }
        });
    }

    // anchor: where the client area's top left corner should stand, as far as the screen allows.
    show(focus, anchor) {
        document.body.append(this.element);
        this.element.showModal();
        shown.add(this);
        this.anchor = anchor;
        this.fit();
        focus?.focus();
        focus?.select?.(); // a field's text selected, as the dialog manager gives it
    }

    // Scaled as the board is where that is larger than the Windows dialog, and within the screen.
    fit() {
        const e = this.element;
        e.style.setProperty('--k', 1);
        const natural = e.getBoundingClientRect();
        const within = (box) => Math.min((innerWidth - 4) / box.width, (innerHeight - 4) / box.height);
        let k = Math.min(Math.max(Window.largest, touch.matches ? TOUCH_SCALE : 1), within(natural));
        e.style.setProperty('--k', k);
        // The least sizes of a touch screen's targets do not grow with the rest, and flowing text
        // wraps anew at each size: smaller again until it fits (a few steps; beyond, it scrolls).
        for (let step = 0; step < 4 && within(e.getBoundingClientRect()) < 1; step += 1) {
            k *= within(e.getBoundingClientRect());
            e.style.setProperty('--k', k);
        }
        if (this.anchor) {
            const box = e.getBoundingClientRect();
            const caption = e.querySelector('.caption').getBoundingClientRect().height;
            Object.assign(e.style, {
                margin: '0',
                left: `${Math.max(0, Math.min(this.anchor.left, innerWidth - box.width))}px`,
                top: `${Math.max(0, Math.min(this.anchor.top - caption, innerHeight - box.height))}px`,
            });
        }
        this.onFit?.();
    }

    static fitAll() {
        shown.forEach((win) => win.fit());
    }

    close() {
        if (this.element.open) {
            this.element.close();
        }
        shown.delete(this);
        this.element.remove();
        Window.afterClose?.();
    }
}

Window.largest = 1;
Window.afterClose = null; // called whenever a window has closed

function dropDown(control, onCommand) {
    const box = element('div', 'combo');
    place(box, [...control.box.slice(0, 3), EDIT_HEIGHT]);
    const edit = element('input', 'edit');
    edit.type = 'text';
    edit.spellcheck = false;
    edit.autocomplete = 'off';
    const list = element('select', 'drop');
    list.setAttribute('aria-label', '一覧');
    list.addEventListener('change', () => {
        // Choosing an item copies its text into the field, as the Windows list does.
        edit.value = list.value;
        list.selectedIndex = -1;
        edit.focus();
        onCommand(control.id);
    });
    box.append(edit, list);
    box.edit = edit;
    box.setItems = (items) => {
        list.replaceChildren(...items.map((item) => new Option(item, item)));
        list.selectedIndex = -1;
    };
    return box;
}

// A window from the dialog template `name`. onCommand(id) hears its buttons; controls maps ids
// to their elements (a drop-down list's field is its `edit`). Controls without an id of their own
// (-1, as the static texts of the About dialog) are in the window all the same, each of them, but
// not in the map.
export function fromTemplate(name, onCommand, onClose, className = '') {
    const template = dialogs[name];
    const win = new Window(template.caption, onClose, className);
    const [, , width, height] = template.box;
    win.client.style.width = `calc(var(--k) * ${unitX(width)}px)`;
    win.client.style.height = `calc(var(--k) * ${unitY(height)}px)`;
    win.template = template;
    win.controls = new Map();
    let first = null;
    for (const control of template.controls) {
        const style = new Set(control.style);
        let e;
        if (control.kind === 'COMBOBOX') {
            e = dropDown(control, onCommand);
        } else if (control.kind === 'BUTTON' && style.has('BS_GROUPBOX')) {
            e = element('fieldset', 'group');
            e.append(element('legend', '', control.text));
            place(e, control.box);
        } else if (control.kind === 'BUTTON' && style.has('BS_AUTORADIOBUTTON')) {
            e = element('label', 'radio');
            const radio = element('input', '');
            radio.type = 'radio';
            radio.name = name;
            radio.value = control.id;
            radio.addEventListener('click', () => onCommand(control.id));
            e.append(radio, element('span', '', control.text));
            e.input = radio;
            place(e, control.box);
        } else if (control.kind === 'BUTTON') {
            e = element('button', 'push', control.text);
            e.type = 'button';
            e.addEventListener('click', () => onCommand(control.id));
            place(e, control.box);
        } else if (style.has('SS_ETCHEDFRAME')) {
            e = element('div', 'etched');
            place(e, control.box);
        } else {
            e = element('span', style.has('SS_CENTER') ? 'static center' : 'static', control.text);
            place(e, control.box);
        }
        win.client.append(e);
        if (control.id !== NO_ID) {
            win.controls.set(control.id, e);
        }
        if (!first && style.has('WS_TABSTOP')) {
            first = e.edit ?? e.input ?? e;
        }
    }
    win.firstStop = first;
    return win;
}

// A message with buttons; resolves with the index of the button pressed, or -1 for the close box.
export function messageBox(caption, text, buttons = ['OK']) {
    return new Promise((resolve) => {
        const win = new Window(caption, () => done(-1), 'message');
        const done = (index) => {
            win.close();
            resolve(index);
        };
        const body = element('div', 'body');
        for (const paragraph of [].concat(text)) {
            body.append(typeof paragraph === 'string' ? element('p', '', paragraph) : paragraph);
        }
        const row = element('div', 'buttons');
        buttons.forEach((label, index) => {
            const button = element('button', 'push', label);
            button.type = 'button';
            button.addEventListener('click', () => done(index));
            row.append(button);
        });
        win.client.append(body, row);
        win.show(row.firstChild);
    });
}
