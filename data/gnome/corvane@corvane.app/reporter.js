// Sends the agent's reports to the daemon: a Report call to the owner of its bus name, the connection
// that owned it when the agent attached, never to whoever owns it next.
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';

import {agentProtocol} from './protocol.js';

export class Reporter {
    constructor(owner) {
        this._owner = owner;
    }

    get owner() {
        return this._owner;
    }

    report(events) {
        if (!this._owner)
            return;
        const bus = agentProtocol.bus;
        Gio.DBus.session.call(this._owner, bus.agentPath, bus.agentInterface, 'Report',
            new GLib.Variant('(s)', [JSON.stringify(events)]), null, Gio.DBusCallFlags.NO_AUTO_START,
            agentProtocol.bounds.reportTimeoutMs, null, (connection, result) => {
                try {
                    connection.call_finish(result);
                } catch {
                    // A daemon gone or stuck: its name's owner going tells the rest.
                }
            });
    }

    close() {
        this._owner = null;
    }
}
