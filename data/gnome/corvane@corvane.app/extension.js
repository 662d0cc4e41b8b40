// Corvane's agent inside GNOME Shell. It reports what the Shell knows (windows, monitors, work areas,
// the focused window, frames, the pointer while a window is moved or while it is in a region Corvane
// named, its keybindings firing, the pointer over the palette) and does what the daemon asks (set a
// frame, activate a window, bind keys, show the zone preview, draw the palette from the shapes and texts
// it is sent). It decides nothing: every choice is made in Corvane's daemon.
//
// The daemon owns the bus name app.corvane.Corvane and calls Run on the object exported here
// (shellBus.js); reports go back to it as Report calls (reporter.js). Only while that name has an owner
// does the agent (desktopAgent.js) watch anything, so an idle Shell without Corvane, or with Corvane
// idle, never runs this code. The protocol's names and bounds are protocolTables.js, generated from
// data/protocol; its events and command checks are protocol.js, shared with the KWin agent; what mutter
// is asked is mutterDesktop.js, and what depends on the Shell's version, shellVersion.js.
import Gio from 'gi://Gio';

import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

import {DesktopAgent} from './desktopAgent.js';
import {agentProtocol} from './protocol.js';
import {ShellBus} from './shellBus.js';

export default class CorvaneExtension extends Extension {
    enable() {
        this._settings = this.getSettings();
        this._agent = null;
        this._bus = new ShellBus(this);
        this._watch = Gio.bus_watch_name(Gio.BusType.SESSION, agentProtocol.bus.service,
            Gio.BusNameWatcherFlags.NONE, (_c, _n, owner) => this.attach(owner), () => this._detach());
    }

    disable() {
        Gio.bus_unwatch_name(this._watch);
        this._detach();
        this._bus.destroy();
        this._bus = null;
        this._settings = null;
    }

    get agent() {
        return this._agent;
    }

    get version() {
        return this.metadata['version-name'];
    }

    attach(owner) {
        if (this._agent?.owner === owner)
            return;
        this._detach();
        this._agent = new DesktopAgent(owner, this._settings);
    }

    _detach() {
        this._agent?.detach();
        this._agent = null;
    }
}
