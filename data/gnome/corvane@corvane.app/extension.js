// Corvane's agent inside GNOME Shell. It reports what the Shell knows (windows, monitors, work areas,
// the focused window, frames, the pointer while a window is moved or while it is in a region Corvane
// named, its keybindings firing, the pointer over the palette) and does what the daemon asks (set a
// frame, activate a window, bind keys, show the zone preview, draw the palette from the shapes and texts
// it is sent). It decides nothing: every choice is made in Corvane's daemon.
//
// The daemon owns the bus name app.corvane.Corvane and calls Run on the object exported here; reports go
// back to it as Report calls. Only while that name has an owner does the agent watch anything, so an
// idle Shell without Corvane, or with Corvane idle, never runs this code.
import Clutter from 'gi://Clutter';
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import Meta from 'gi://Meta';
import Shell from 'gi://Shell';
import St from 'gi://St';

import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';
import * as Main from 'resource:///org/gnome/shell/ui/main.js';

const busName = 'app.corvane.Corvane';
const agentPath = '/app/corvane/Agent';
const agentIface = 'app.corvane.Agent1';
const shellPath = '/app/corvane/Shell';
const shellIface = `<node>
  <interface name="app.corvane.Shell1">
    <method name="Run"><arg type="s" name="commands" direction="in"/></method>
    <method name="Version"><arg type="s" name="version" direction="out"/></method>
  </interface>
</node>`;

const reportTimeoutMs = 1000;
const maxCommandBytes = 1 << 20;
const maxCommands = 256;
// Pointer reports are paced to one a frame: a fast mouse would otherwise cost a call a millisecond.
const stepMs = 16;
const fadeMs = 150;
// What the palette may hold: more would be no palette.
const maxShapes = 256;
const maxTexts = 16;
const maxTextLength = 64;
const maxPaletteSide = 8192;

const accessDenied = 'org.freedesktop.DBus.Error.AccessDenied';
const invalidArgs = 'org.freedesktop.DBus.Error.InvalidArgs';

class InvalidCommand extends Error {}

function rect(r) {
    return [r.x, r.y, r.width, r.height];
}

function isRect(v) {
    return Array.isArray(v) && v.length === 4 && v.every(n => Number.isFinite(n)) && v[2] >= 0 && v[3] >= 0;
}

function isColor(v) {
    return typeof v === 'string' && /^#[0-9a-fA-F]{8}$/.test(v);
}

function isBetween(v, low, high) {
    return Number.isFinite(v) && v >= low && v <= high;
}

function isShape(s) {
    return s !== null && typeof s === 'object' && isRect(s.rect) && isColor(s.fill) && isColor(s.border) &&
        isBetween(s.borderWidth ?? 0, 0, 8) && isBetween(s.radius ?? 0, 0, 64);
}

function isText(t) {
    return t !== null && typeof t === 'object' && isRect(t.rect) && typeof t.text === 'string' &&
        t.text.length <= maxTextLength && isColor(t.color) && isBetween(t.size, 1, 72) &&
        typeof (t.bold ?? false) === 'boolean';
}

function isPalette(c) {
    return c.frame === null || (isRect(c.frame) && c.frame[2] <= maxPaletteSide && c.frame[3] <= maxPaletteSide &&
        typeof c.interactive === 'boolean' && Array.isArray(c.shapes) && c.shapes.length <= maxShapes &&
        c.shapes.every(isShape) && Array.isArray(c.texts) && c.texts.length <= maxTexts && c.texts.every(isText));
}

// St's style sheets read no #rrggbbaa.
function cssColor(hex) {
    const [r, g, b, a] = [1, 3, 5, 7].map(i => parseInt(hex.slice(i, i + 2), 16));
    return `rgba(${r}, ${g}, ${b}, ${(a / 255).toFixed(3)})`;
}

function holds(r, x, y) {
    return x >= r[0] && x < r[0] + r[2] && y >= r[1] && y < r[1] + r[3];
}

function modifiers(mask) {
    const held = [];
    if (mask & Clutter.ModifierType.CONTROL_MASK)
        held.push('control');
    if (mask & Clutter.ModifierType.MOD1_MASK)
        held.push('alt');
    if (mask & Clutter.ModifierType.SHIFT_MASK)
        held.push('shift');
    if (mask & (Clutter.ModifierType.SUPER_MASK | Clutter.ModifierType.MOD4_MASK))
        held.push('super');
    return held;
}

function pointer() {
    const [x, y, mask] = global.get_pointer();
    return {cursor: [x, y], modifiers: modifiers(mask)};
}

// Mutter tells an extension no connector of a monitor, only its index.
function outputName(index) {
    return index >= 0 ? `Monitor ${index + 1}` : '';
}

function outputs() {
    const display = global.display;
    const workspace = global.workspace_manager.get_active_workspace();
    const list = [];
    for (let i = 0; i < display.get_n_monitors(); i++) {
        list.push({
            name: outputName(i),
            connector: '', // mutter tells an extension no connector: monitors are known by place
            manufacturer: '',
            model: '',
            frame: rect(display.get_monitor_geometry(i)),
            workArea: rect(workspace.get_work_area_for_monitor(i)),
            scale: display.get_monitor_scale(i),
        });
    }
    return list;
}

const dialogTypes = [Meta.WindowType.DIALOG, Meta.WindowType.MODAL_DIALOG];
const specialTypes = [Meta.WindowType.DESKTOP, Meta.WindowType.DOCK, Meta.WindowType.SPLASHSCREEN,
    Meta.WindowType.TOOLBAR, Meta.WindowType.MENU, Meta.WindowType.DROPDOWN_MENU, Meta.WindowType.POPUP_MENU,
    Meta.WindowType.TOOLTIP, Meta.WindowType.NOTIFICATION, Meta.WindowType.COMBO, Meta.WindowType.DND,
    Meta.WindowType.OVERRIDE_OTHER];

function windowId(w) {
    return String(w.get_id());
}

// The monitor is the one the frame is mostly on: the window's own is updated only after it has moved.
function frameOf(w) {
    const frame = w.get_frame_rect();
    return {frame: rect(frame), client: rect(w.frame_rect_to_client_rect(frame)),
        output: outputName(global.display.get_monitor_index_for_rect(frame))};
}

function describe(w) {
    const type = w.get_window_type();
    const workspace = global.workspace_manager.get_active_workspace();
    const {frame, client, output} = frameOf(w);
    return {
        id: windowId(w),
        pid: w.get_pid(),
        // On Wayland mutter keeps the app id as the class: the name a user knows the app by.
        appClass: w.get_wm_class() || w.get_gtk_application_id() || w.get_sandboxed_app_id() || '',
        caption: w.get_title() ?? '',
        frame,
        client,
        output,
        normal: type === Meta.WindowType.NORMAL,
        dialog: dialogTypes.includes(type),
        special: specialTypes.includes(type),
        desktopWindow: type === Meta.WindowType.DESKTOP,
        dock: type === Meta.WindowType.DOCK,
        notification: type === Meta.WindowType.NOTIFICATION,
        onScreenDisplay: false,
        onCurrentDesktop: w.is_on_all_workspaces() || w.located_on_workspace(workspace),
        minimized: w.minimized,
        fullScreen: w.is_fullscreen(),
        moveable: w.allows_move(),
        resizeable: w.allows_resize(),
        managed: !w.is_override_redirect(),
    };
}

function windows() {
    return global.display.list_all_windows();
}

function stacking() {
    return global.display.sort_windows_by_stacking(windows()).map(windowId);
}

function activeId() {
    const w = global.display.focus_window;
    return w ? windowId(w) : '';
}

function findWindow(id) {
    return windows().find(w => windowId(w) === id) ?? null;
}

const isPointerMove = op => op === Meta.GrabOp.MOVING || op === Meta.GrabOp.MOVING_UNCONSTRAINED;

// What the agent does for one daemon, from the moment its name has an owner until it has none: undone
// in full by detach().
class Agent {
    constructor(owner, settings) {
        this._owner = owner;
        this._settings = settings;
        this._regions = [];
        this._inRegion = false;
        this._reportsMoves = false;
        this._moving = null;   // the window the user moves with the pointer, while reported
        this._grabbed = null;  // any window in a move or resize: its frame is reported when let go
        this._bound = new Set();
        this._watched = new Set();
        this._tracking = false;
        this._pacer = 0;
        this._lastPointerReport = -stepMs;
        this._preview = null;
        this._palette = null;
        this._paletteShapes = [];
        this._paletteTexts = [];
        this._paletteCursor = null;
        this._palettePacer = 0;
        this._lastPaletteMotion = -stepMs;

        const display = global.display;
        display.connectObject(
            'window-created', (_d, w) => this._windowAdded(w),
            'notify::focus-window', () => this._report([{e: 'active', id: activeId()},
                {e: 'stacking', stacking: stacking()}]),
            'restacked', () => this._report([{e: 'stacking', stacking: stacking()}]),
            'workareas-changed', () => this._report([{e: 'outputs', outputs: outputs()}]),
            'grab-op-begin', (_d, w, op) => this._grabBegan(w, op),
            'grab-op-end', (_d, w) => this._grabEnded(w),
            this);
        Main.layoutManager.connectObject('monitors-changed',
            () => this._report([{e: 'outputs', outputs: outputs()}]), this);
        global.workspace_manager.connectObject('active-workspace-changed',
            () => this._report([this._snapshot()]), this);
        windows().forEach(w => this._watch(w));
        this._report([this._snapshot()]);
    }

    get owner() {
        return this._owner;
    }

    detach() {
        this._stopTracking();
        global.display.disconnectObject(this);
        Main.layoutManager.disconnectObject(this);
        global.workspace_manager.disconnectObject(this);
        this._watched.forEach(w => w.disconnectObject(this));
        this._watched.clear();
        this._bind({});
        this._preview?.destroy();
        this._preview = null;
        this._destroyPalette();
        this._owner = null;
    }

    _report(events) {
        if (!this._owner)
            return;
        Gio.DBus.session.call(this._owner, agentPath, agentIface, 'Report',
            new GLib.Variant('(s)', [JSON.stringify(events)]), null, Gio.DBusCallFlags.NO_AUTO_START,
            reportTimeoutMs, null, (connection, result) => {
                try {
                    connection.call_finish(result);
                } catch {
                    // A daemon gone or stuck: its name's owner going tells the rest.
                }
            });
    }

    _snapshot() {
        return {
            e: 'snapshot',
            outputs: outputs(),
            windows: windows().map(describe),
            stacking: stacking(),
            active: activeId(),
            cursor: pointer().cursor,
        };
    }

    _watch(w) {
        if (this._watched.has(w))
            return;
        this._watched.add(w);
        const changed = () => this._report([{e: 'window', window: describe(w)}]);
        // A window in the user's hands is reported once let go; while a reported move lasts, its new
        // place is a step too, as mutter moves it a frame after the pointer.
        const moved = () => {
            if (this._moving === w)
                this._pointerMoved();
            else if (this._grabbed !== w)
                this._reportFrame(w);
        };
        w.connectObject(
            'position-changed', moved,
            'size-changed', moved,
            'notify::title', changed,
            'notify::wm-class', changed,
            'notify::minimized', changed,
            'notify::fullscreen', changed,
            'workspace-changed', changed,
            'unmanaged', () => this._windowRemoved(w),
            this);
    }

    _reportFrame(w) {
        const events = [{e: 'frame', id: windowId(w), ...frameOf(w)}];
        // A panel that moves or grows changes the work areas.
        if (w.get_window_type() === Meta.WindowType.DOCK)
            events.push({e: 'outputs', outputs: outputs()});
        this._report(events);
    }

    _windowAdded(w) {
        this._watch(w);
        this._report([{e: 'window', window: describe(w)}, {e: 'stacking', stacking: stacking()},
            {e: 'outputs', outputs: outputs()}, {e: 'active', id: activeId()}]);
    }

    _windowRemoved(w) {
        w.disconnectObject(this);
        this._watched.delete(w);
        if (this._grabbed === w)
            this._grabbed = null;
        if (this._moving === w) {
            this._moving = null;
            this._updateTracking();
        }
        this._report([{e: 'removed', id: windowId(w)}, {e: 'outputs', outputs: outputs()}]);
    }

    _grabBegan(w, op) {
        if (!w)
            return;
        this._grabbed = w;
        if (!this._reportsMoves || !isPointerMove(op))
            return;
        this._moving = w;
        this._report([{e: 'moveStarted', id: windowId(w), ...pointer()}]);
        this._updateTracking();
    }

    _grabEnded(w) {
        if (!w)
            return;
        if (this._grabbed === w)
            this._grabbed = null;
        this._reportFrame(w);
        if (this._moving !== w)
            return;
        this._moving = null;
        this._updateTracking();
        this._report([{e: 'moveFinished', id: windowId(w), ...pointer()}]);
    }

    // The pointer is followed only while a move is reported or regions are set.
    _updateTracking() {
        const needed = this._moving !== null || this._regions.length > 0;
        if (needed === this._tracking)
            return;
        if (needed) {
            global.backend.get_cursor_tracker().connectObject('position-invalidated',
                () => this._pointerMoved(), this);
            this._tracking = true;
        } else {
            this._stopTracking();
        }
    }

    _stopTracking() {
        if (this._tracking)
            global.backend.get_cursor_tracker().disconnectObject(this);
        this._tracking = false;
        if (this._pacer)
            GLib.source_remove(this._pacer);
        this._pacer = 0;
    }

    _pointerMoved() {
        if (this._pacer)
            return;
        const wait = this._lastPointerReport + stepMs - GLib.get_monotonic_time() / 1000;
        if (wait <= 0) {
            this._reportPointer();
            return;
        }
        // The newest position is read when the wait ends, so none is lost.
        this._pacer = GLib.timeout_add(GLib.PRIORITY_DEFAULT, Math.ceil(wait), () => {
            this._pacer = 0;
            this._reportPointer();
            return GLib.SOURCE_REMOVE;
        });
    }

    _reportPointer() {
        const p = pointer();
        if (this._moving) {
            this._lastPointerReport = GLib.get_monotonic_time() / 1000;
            // The frame rides along: it tells a move of the window from a press that moves nothing.
            this._report([{e: 'moveStep', id: windowId(this._moving), ...p,
                frame: rect(this._moving.get_frame_rect())}]);
            return;
        }
        const isIn = this._regions.some(r => holds(r, ...p.cursor));
        if (isIn || this._inRegion) {
            this._lastPointerReport = GLib.get_monotonic_time() / 1000;
            this._report([{e: 'motion', ...p}]);
        }
        this._inRegion = isIn;
    }

    // Makes the keybindings exactly the ones named with chords; the rest are unbound and their keys reset.
    _bind(bindings) {
        for (const name of this._settings.settings_schema.list_keys()) {
            const chords = bindings[name] ?? [];
            if (this._bound.has(name)) {
                Main.wm.removeKeybinding(name);
                this._bound.delete(name);
            }
            if (chords.length === 0) {
                if (this._settings.get_user_value(name) !== null)
                    this._settings.reset(name);
                continue;
            }
            this._settings.set_strv(name, chords);
            Main.wm.addKeybinding(name, this._settings, Meta.KeyBindingFlags.NONE, Shell.ActionMode.NORMAL,
                () => this._report([{e: 'key', name}]));
            this._bound.add(name);
        }
    }

    _showPreview(command) {
        if (!command.frame) {
            this._preview?.ease({
                opacity: 0, duration: fadeMs, mode: Clutter.AnimationMode.EASE_OUT_QUAD,
                onComplete: () => this._preview?.hide(),
            });
            return;
        }
        if (!this._preview) {
            this._preview = new St.Widget({name: 'corvane-preview', opacity: 0, visible: false, reactive: false});
            // Above every window, below the Shell's own panels and menus.
            Main.layoutManager.uiGroup.insert_child_above(this._preview, global.window_group);
        }
        const [x, y, width, height] = command.frame;
        const radius = Math.max(0, Math.min(Number(command.radius) || 0, 64));
        this._preview.style = `background-color: ${cssColor(command.fill)};` +
            `border: 2px solid ${cssColor(command.border)}; border-radius: ${radius}px;`;
        this._preview.set_position(x, y);
        this._preview.set_size(width, height);
        this._preview.show();
        this._preview.ease({opacity: 255, duration: fadeMs, mode: Clutter.AnimationMode.EASE_OUT_QUAD});
    }

    // The palette is drawn only as it is sent: shapes, then texts over them, at the places given in the
    // palette's own coordinates. Its actors are kept and restyled while their number stays the same (the
    // lit zone follows the pointer). It lies above the zone preview, which may show under the row.
    _showPalette(command) {
        if (!command.frame) {
            this._destroyPalette();
            return;
        }
        if (!this._palette) {
            this._palette = new St.Widget({name: 'corvane-palette', reactive: false});
            Main.layoutManager.uiGroup.insert_child_above(this._palette, this._preview ?? global.window_group);
            this._palette.connectObject(
                'motion-event', (_a, event) => this._palettePointer('motion', event),
                'button-press-event', (_a, event) => this._palettePointer('press', event),
                'button-release-event', (_a, event) => this._palettePointer('release', event),
                'leave-event', (_a, event) => this._palettePointer('leave', event),
                this);
        }
        const [x, y, width, height] = command.frame;
        this._palette.set_position(x, y);
        this._palette.set_size(width, height);
        this._palette.reactive = command.interactive;
        this._paletteShapes = this._placeAll(this._paletteShapes, command.shapes, () => new St.Widget(),
            (actor, s) => {
                actor.style = `background-color: ${cssColor(s.fill)}; border: ${s.borderWidth ?? 0}px solid ` +
                    `${cssColor(s.border)}; border-radius: ${s.radius ?? 0}px;`;
            });
        this._paletteTexts = this._placeAll(this._paletteTexts, command.texts, () => new St.Label(),
            (actor, t) => {
                actor.text = t.text;
                actor.style = `color: ${cssColor(t.color)}; font-size: ${t.size}px; ` +
                    `font-weight: ${t.bold ? 'bold' : 'normal'};`;
            });
        this._paletteTexts.forEach(a => this._palette.set_child_above_sibling(a, null));
        this._palette.show();
    }

    _placeAll(actors, items, make, style) {
        if (actors.length !== items.length) {
            actors.forEach(a => a.destroy());
            actors = items.map(() => {
                const actor = make();
                actor.reactive = false;
                this._palette.add_child(actor);
                return actor;
            });
        }
        items.forEach((item, i) => {
            const [x, y, width, height] = item.rect;
            actors[i].set_position(x, y);
            actors[i].set_size(width, height);
            style(actors[i], item);
        });
        return actors;
    }

    _destroyPalette() {
        if (this._palettePacer)
            GLib.source_remove(this._palettePacer);
        this._palettePacer = 0;
        this._paletteCursor = null;
        this._palette?.destroy();
        this._palette = null;
        this._paletteShapes = [];
        this._paletteTexts = [];
    }

    // The pointer over the palette, reported as it is (motion paced to one report a frame); the palette
    // takes every press over it, so no window below gets one.
    _palettePointer(kind, event) {
        const cursor = event.get_coords();
        if (kind === 'motion') {
            this._paletteCursor = cursor;
            this._paletteMotion();
            return Clutter.EVENT_STOP;
        }
        if ((kind === 'press' || kind === 'release') && event.get_button() !== Clutter.BUTTON_PRIMARY)
            return Clutter.EVENT_STOP;
        const events = [];
        // A motion still waiting goes first: the press is where the pointer went.
        if (this._palettePacer) {
            GLib.source_remove(this._palettePacer);
            this._palettePacer = 0;
            events.push({e: 'palette', kind: 'motion', cursor: this._paletteCursor});
        }
        events.push({e: 'palette', kind, cursor});
        this._report(events);
        return Clutter.EVENT_STOP;
    }

    _paletteMotion() {
        if (this._palettePacer)
            return;
        const send = () => {
            this._lastPaletteMotion = GLib.get_monotonic_time() / 1000;
            this._report([{e: 'palette', kind: 'motion', cursor: this._paletteCursor}]);
        };
        const wait = this._lastPaletteMotion + stepMs - GLib.get_monotonic_time() / 1000;
        if (wait <= 0) {
            send();
            return;
        }
        this._palettePacer = GLib.timeout_add(GLib.PRIORITY_DEFAULT, Math.ceil(wait), () => {
            this._palettePacer = 0;
            send();
            return GLib.SOURCE_REMOVE;
        });
    }

    // Every command is checked before any runs: a call does all it asks or nothing.
    check(command) {
        const known = this._settings.settings_schema.list_keys();
        const ok = {
            frame: c => typeof c.id === 'string' && isRect(c.frame) && [undefined, true].includes(c.overlay),
            activate: c => typeof c.id === 'string',
            regions: c => Array.isArray(c.regions) && c.regions.every(isRect),
            moves: c => typeof c.report === 'boolean',
            snapshot: () => true,
            keys: c => c.bindings !== null && typeof c.bindings === 'object' && !Array.isArray(c.bindings) &&
                Object.entries(c.bindings).every(([name, chords]) => known.includes(name) &&
                    Array.isArray(chords) && chords.every(s => typeof s === 'string' && s.length < 256)),
            preview: c => c.frame === null ||
                (isRect(c.frame) && isColor(c.fill) && isColor(c.border) && Number.isFinite(c.radius ?? 0)),
            palette: isPalette,
        }[command?.c];
        if (!ok || !ok(command))
            throw new InvalidCommand(`not a command: ${JSON.stringify(command).slice(0, 200)}`);
    }

    run(command) {
        switch (command.c) {
        case 'frame': {
            const w = findWindow(command.id);
            if (!w) {
                this._report([{e: 'gone', id: command.id}]);
                return;
            }
            // A maximized or tiled window would keep that state under the new frame: Corvane's replaces it.
            if (w.get_maximized())
                w.unmaximize(Meta.MaximizeFlags.BOTH);
            w.move_resize_frame(true, ...command.frame);
            // Corvane's own panel, which a Wayland client cannot place, raise or focus itself. Mutter
            // places a window as it first shows, and can stack it only then: one not shown yet waits.
            if (command.overlay) {
                const raise = () => {
                    w.move_resize_frame(true, ...command.frame);
                    w.make_above();
                    w.activate(global.get_current_time());
                };
                if (w.get_compositor_private()?.is_mapped()) {
                    raise();
                } else {
                    const shown = w.connect('shown', () => {
                        w.disconnect(shown);
                        raise();
                    });
                }
            }
            return;
        }
        case 'activate':
            findWindow(command.id)?.activate(global.get_current_time());
            return;
        case 'regions':
            this._regions = command.regions;
            this._inRegion = this._regions.some(r => holds(r, ...pointer().cursor));
            this._updateTracking();
            return;
        case 'moves':
            this._reportsMoves = command.report;
            return;
        case 'snapshot':
            this._report([this._snapshot()]);
            return;
        case 'keys':
            this._bind(command.bindings);
            return;
        case 'preview':
            this._showPreview(command);
            return;
        case 'palette':
            this._showPalette(command);
        }
    }
}

export default class CorvaneExtension extends Extension {
    enable() {
        this._settings = this.getSettings();
        this._agent = null;
        this._exported = Gio.DBusExportedObject.wrapJSObject(shellIface, this);
        this._exported.export(Gio.DBus.session, shellPath);
        this._watch = Gio.bus_watch_name(Gio.BusType.SESSION, busName, Gio.BusNameWatcherFlags.NONE,
            (_c, _n, owner) => this._attach(owner), () => this._detach());
    }

    disable() {
        Gio.bus_unwatch_name(this._watch);
        this._detach();
        this._exported.unexport();
        this._exported = null;
        this._settings = null;
    }

    _attach(owner) {
        if (this._agent?.owner === owner)
            return;
        this._detach();
        this._agent = new Agent(owner, this._settings);
    }

    _detach() {
        this._agent?.detach();
        this._agent = null;
    }

    Version() {
        return this.metadata['version-name'];
    }

    RunAsync([text], invocation) {
        const sender = invocation.get_sender();
        if (this._agent?.owner === sender) {
            this._run(text, invocation);
            return;
        }
        // The daemon may call before the name watch has told of it: ask the bus who owns the name.
        Gio.DBus.session.call('org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus',
            'GetNameOwner', new GLib.Variant('(s)', [busName]), new GLib.VariantType('(s)'),
            Gio.DBusCallFlags.NONE, reportTimeoutMs, null, (connection, result) => {
                let owner = null;
                try {
                    [owner] = connection.call_finish(result).deepUnpack();
                } catch {
                    // No owner: nobody may call.
                }
                if (owner !== sender || !this._exported) {
                    invocation.return_dbus_error(accessDenied, 'only Corvane may run commands here');
                    return;
                }
                this._attach(owner);
                this._run(text, invocation);
            });
    }

    _run(text, invocation) {
        let commands;
        try {
            if (new TextEncoder().encode(text).length > maxCommandBytes)
                throw new InvalidCommand('more than 1 MiB of commands');
            commands = JSON.parse(text);
            if (!Array.isArray(commands) || commands.length > maxCommands)
                throw new InvalidCommand(`not an array of at most ${maxCommands} commands`);
            commands.forEach(c => this._agent.check(c));
        } catch (e) {
            invocation.return_dbus_error(invalidArgs, e.message);
            return;
        }
        try {
            commands.forEach(c => this._agent.run(c));
        } catch (e) {
            logError(e, 'Corvane: a command failed');
            invocation.return_dbus_error('org.freedesktop.DBus.Error.Failed', e.message);
            return;
        }
        invocation.return_value(null);
    }
}
