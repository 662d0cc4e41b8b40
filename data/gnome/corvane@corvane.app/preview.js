// The zone preview: a rectangle above every window and below the Shell's own panels and menus, faded in
// where the daemon shows it and out when it hides it.
import Clutter from 'gi://Clutter';
import St from 'gi://St';

import * as Main from 'resource:///org/gnome/shell/ui/main.js';

import {cssColor} from './shellStyle.js';

const fadeMs = 150;
const maxRadius = 64;

export class Preview {
    constructor() {
        this._actor = null;
    }

    // The actor, once shown: the palette lies above it.
    get actor() {
        return this._actor;
    }

    show([x, y, width, height], fill, border, radius) {
        if (!this._actor) {
            this._actor = new St.Widget({name: 'corvane-preview', opacity: 0, visible: false, reactive: false});
            Main.layoutManager.uiGroup.insert_child_above(this._actor, global.window_group);
        }
        const corner = Math.max(0, Math.min(Number(radius) || 0, maxRadius));
        this._actor.style = `background-color: ${cssColor(fill)};` +
            `border: 2px solid ${cssColor(border)}; border-radius: ${corner}px;`;
        this._actor.set_position(x, y);
        this._actor.set_size(width, height);
        this._actor.show();
        this._actor.ease({opacity: 255, duration: fadeMs, mode: Clutter.AnimationMode.EASE_OUT_QUAD});
    }

    hide() {
        this._actor?.ease({
            opacity: 0, duration: fadeMs, mode: Clutter.AnimationMode.EASE_OUT_QUAD,
            onComplete: () => this._actor?.hide(),
        });
    }

    destroy() {
        this._actor?.destroy();
        this._actor = null;
    }
}
