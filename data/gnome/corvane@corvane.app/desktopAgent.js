// What the agent does for one daemon, from the moment its name has an owner until it has none: it follows
// the Shell's windows, monitors, focus and the pointer, reports them, and runs the daemon's commands.
// Undone in full by detach().
import * as Main from 'resource:///org/gnome/shell/ui/main.js';

import {glibTimer} from './glibTimer.js';
import {Keybindings} from './keybindings.js';
import {findWindow, pointer, reports, scaleAt, scaleOf, windowId, windows} from './mutterDesktop.js';
import {Palette} from './palette.js';
import {Preview} from './preview.js';
import {AgentCommands, Pacer, agentEvent, holds, rect} from './protocol.js';
import {Reporter} from './reporter.js';
import {cursorTracker, isMoveOrResize, isShown, unmaximize} from './shellVersion.js';

// How long a window moved to a monitor of another scale waits for its client to draw itself anew there.
const rescaleBoundMs = 250;

export class DesktopAgent {
    constructor(owner, settings) {
        this._reporter = new Reporter(owner);
        this._regions = [];
        this._inRegion = false;
        this._reportsMoves = false;
        this._held = null;     // the window the user moves or resizes, while its steps are reported
        this._grabbed = null;  // any window in a move or resize: its frame is reported when let go
        this._watched = new Set();
        this._tracking = false;
        this._pointerReports = new Pacer(glibTimer(), () => this._reportPointer());
        this._rescaling = new Map(); // window -> its move to a monitor of another scale, until sized
        this._keybindings = new Keybindings(settings, name => this._report([agentEvent.key(name)]));
        this._preview = new Preview();
        this._palette = new Palette(events => this._report(events), () => this._preview.actor);
        this._commands = new AgentCommands('gnome', {
            frame: (id, frame, overlay) => this._setFrame(id, frame, overlay),
            activate: id => findWindow(id)?.activate(global.get_current_time()),
            regions: rects => {
                this._regions = rects;
                this._inRegion = this._isInRegion(pointer().cursor);
                this._updateTracking();
            },
            moves: isReported => {
                this._reportsMoves = isReported;
            },
            snapshot: () => this._report([reports.snapshot()]),
            sync: n => {
                this._pointerReports.flush();
                this._report([agentEvent.synced(n)]);
            },
            keys: bindings => this._keybindings.bind(bindings),
            preview: (frame, fill, border, _borderWidth, radius, swap) =>
                frame ? this._preview.show(frame, fill, border, radius, swap) : this._preview.hide(),
            palette: (frame, interactive, shapes, texts) =>
                frame ? this._palette.show(frame, interactive, shapes, texts) : this._palette.destroy(),
        });

        global.display.connectObject(
            'window-created', (_d, w) => this._windowAdded(w),
            'notify::focus-window', () => this._report(reports.activeChanged()),
            'restacked', () => this._report([reports.stacking()]),
            'workareas-changed', () => this._report([reports.outputs()]),
            'grab-op-begin', (_d, w, op) => this._grabBegan(w, op),
            'grab-op-end', (_d, w) => this._grabEnded(w),
            this);
        Main.layoutManager.connectObject('monitors-changed', () => this._report([reports.outputs()]), this);
        global.workspace_manager.connectObject('active-workspace-changed',
            () => this._report([reports.snapshot()]), this);
        windows().forEach(w => this._watch(w));
        this._report([reports.snapshot()]);
    }

    get owner() {
        return this._reporter.owner;
    }

    detach() {
        this._stopTracking();
        global.display.disconnectObject(this);
        Main.layoutManager.disconnectObject(this);
        global.workspace_manager.disconnectObject(this);
        this._rescaling.forEach(done => done());
        this._watched.forEach(w => w.disconnectObject(this));
        this._watched.clear();
        this._keybindings.bind({});
        this._preview.destroy();
        this._palette.destroy();
        this._reporter.close();
    }

    // The commands of one call, every one checked before any runs (InvalidCommand otherwise): the
    // protocol's checks, and the keybindings' names, which only the extension's schema knows.
    read(text) {
        return this._commands.read(text, {keys: bindings => this._keybindings.knows(Object.keys(bindings))});
    }

    run(command) {
        this._commands.run(command);
    }

    _report(events) {
        this._reporter.report(events);
    }

    _watch(w) {
        if (this._watched.has(w))
            return;
        this._watched.add(w);
        const changed = () => this._report(reports.windowChanged(w));
        // A window in the user's hands is reported once let go; while a reported move or resize lasts, its
        // new frame is a step too, as mutter changes it a frame after the pointer, or with no pointer at all
        // in a resize with the keyboard.
        const moved = () => {
            if (this._held === w)
                this._pointerReports.request();
            else if (this._grabbed !== w)
                this._report(reports.frameChanged(w));
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

    _windowAdded(w) {
        this._watch(w);
        this._report(reports.windowAdded(w));
    }

    _windowRemoved(w) {
        this._rescaling.get(w)?.();
        w.disconnectObject(this);
        this._watched.delete(w);
        if (this._grabbed === w)
            this._grabbed = null;
        if (this._held === w) {
            this._held = null;
            this._updateTracking();
        }
        this._report(reports.windowRemoved(windowId(w)));
    }

    _grabBegan(w, op) {
        if (!w)
            return;
        this._grabbed = w;
        if (!this._reportsMoves || !isMoveOrResize(op))
            return;
        this._held = w;
        const p = pointer();
        this._report([agentEvent.moveStarted(windowId(w), p.cursor, p.modifiers)]);
        this._updateTracking();
    }

    _grabEnded(w) {
        if (!w)
            return;
        if (this._grabbed === w)
            this._grabbed = null;
        this._report(reports.frameChanged(w));
        if (this._held !== w)
            return;
        this._held = null;
        this._updateTracking();
        const p = pointer();
        this._report([agentEvent.moveFinished(windowId(w), p.cursor, p.modifiers)]);
    }

    // The pointer is followed only while a move or resize is reported or regions are set.
    _updateTracking() {
        const needed = this._held !== null || this._regions.length > 0;
        if (needed === this._tracking)
            return;
        if (needed) {
            cursorTracker().connectObject('position-invalidated', () => this._pointerReports.request(), this);
            this._tracking = true;
        } else {
            this._stopTracking();
        }
    }

    _stopTracking() {
        if (this._tracking)
            cursorTracker().disconnectObject(this);
        this._tracking = false;
        this._pointerReports.cancel();
    }

    _isInRegion([x, y]) {
        return this._regions.some(r => holds(r, x, y));
    }

    // Says whether it reported, for the pacing.
    _reportPointer() {
        const p = pointer();
        if (this._held) {
            // The frame rides along: it tells a move or resize of the window from a press that moves nothing.
            const frame = rect(this._held.get_frame_rect());
            this._report([agentEvent.moveStep(windowId(this._held), p.cursor, frame, p.modifiers)]);
            return true;
        }
        const isIn = this._isInRegion(p.cursor);
        const isReported = isIn || this._inRegion;
        if (isReported)
            this._report([agentEvent.motion(p.cursor, p.modifiers)]);
        this._inRegion = isIn;
        return isReported;
    }

    _whenRescaled(w, then) {
        const timer = glibTimer();
        const done = () => {
            timer.stop();
            w.disconnect(sized);
            this._rescaling.delete(w);
        };
        const finish = () => {
            done();
            then();
        };
        const sized = w.connect('size-changed', finish);
        timer.start(rescaleBoundMs, finish);
        this._rescaling.set(w, done);
    }

    _setFrame(id, frame, overlay) {
        const w = findWindow(id);
        if (!w) {
            this._report([agentEvent.gone(id)]);
            return;
        }
        // A maximized or tiled window would keep that state under the new frame: Corvane's replaces it.
        unmaximize(w);
        this._rescaling.get(w)?.();
        const to = scaleAt(frame), from = scaleOf(w);
        if (to === null || from === null || to === from) {
            w.move_resize_frame(true, ...frame);
        } else {
            // Sized before its client has the new monitor's scale, the window is put back where it came
            // from: it moves there first, and takes its size once the client has drawn itself anew there
            // (or after a bound, for a client whose size does not change).
            w.move_frame(true, frame[0], frame[1]);
            this._whenRescaled(w, () => w.move_resize_frame(true, ...frame));
        }
        // Corvane's own panel, which a Wayland client cannot place, raise or focus itself. Mutter places
        // a window as it first shows, and can stack it only then: one not shown yet waits.
        if (!overlay)
            return;
        const raise = () => {
            w.move_resize_frame(true, ...frame);
            w.make_above();
            w.activate(global.get_current_time());
        };
        if (isShown(w)) {
            raise();
        } else {
            const shown = w.connect('shown', () => {
                w.disconnect(shown);
                raise();
            });
        }
    }
}
