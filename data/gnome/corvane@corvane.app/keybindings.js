// The extension's keybindings, bound as the daemon's keys command names them: its settings schema lists
// the names a binding may have, and a binding that fires is reported by name.
import Meta from 'gi://Meta';
import Shell from 'gi://Shell';

import * as Main from 'resource:///org/gnome/shell/ui/main.js';

export class Keybindings {
    constructor(settings, fired) {
        this._settings = settings;
        this._fired = fired;
        this._bound = new Set();
    }

    // Whether every name is one of the schema's.
    knows(names) {
        const known = this._settings.settings_schema.list_keys();
        return names.every(name => known.includes(name));
    }

    // Makes the keybindings exactly the ones named with chords; the rest are unbound and their keys reset.
    bind(bindings) {
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
                () => this._fired(name));
            this._bound.add(name);
        }
    }
}
