// The extension's object on the session bus: Version, which anyone may call, and Run, which only the
// owner of the daemon's bus name may. Every command of a call is checked before any runs: a call does
// all it asks or nothing.
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';

import {agentProtocol} from './protocol.js';

const accessDenied = 'org.freedesktop.DBus.Error.AccessDenied';
const invalidArgs = 'org.freedesktop.DBus.Error.InvalidArgs';
const failed = 'org.freedesktop.DBus.Error.Failed';

const shellInterface = `<node>
  <interface name="${agentProtocol.bus.shellInterface}">
    <method name="Run"><arg type="s" name="commands" direction="in"/></method>
    <method name="Version"><arg type="s" name="version" direction="out"/></method>
  </interface>
</node>`;

export class ShellBus {
    // extension: the agent for the name's owner now (agent, null for none), attach(owner) for a new one,
    // and the version it tells.
    constructor(extension) {
        this._extension = extension;
        this._exported = Gio.DBusExportedObject.wrapJSObject(shellInterface, this);
        this._exported.export(Gio.DBus.session, agentProtocol.bus.shellPath);
    }

    destroy() {
        this._exported.unexport();
        this._exported = null;
    }

    Version() {
        return this._extension.version;
    }

    RunAsync([text], invocation) {
        const sender = invocation.get_sender();
        if (this._extension.agent?.owner === sender) {
            this._run(text, invocation);
            return;
        }
        // The daemon may call before the name watch has told of it: ask the bus who owns the name.
        Gio.DBus.session.call('org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus',
            'GetNameOwner', new GLib.Variant('(s)', [agentProtocol.bus.service]), new GLib.VariantType('(s)'),
            Gio.DBusCallFlags.NONE, agentProtocol.bounds.reportTimeoutMs, null, (connection, result) => {
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
                this._extension.attach(owner);
                this._run(text, invocation);
            });
    }

    _run(text, invocation) {
        const agent = this._extension.agent;
        let commands;
        try {
            commands = agent.read(text);
        } catch (e) {
            invocation.return_dbus_error(invalidArgs, e.message);
            return;
        }
        try {
            commands.forEach(c => agent.run(c));
        } catch (e) {
            logError(e, 'Corvane: a command failed');
            invocation.return_dbus_error(failed, e.message);
            return;
        }
        invocation.return_value(null);
    }
}
