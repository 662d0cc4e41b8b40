// The zone preview: a rectangle above every window and below the Shell's own panels and menus, faded in
// where the daemon shows it and out when it hides it. Where the drop swaps two windows, a second one
// shows where the window in the zone goes.
import Clutter from 'gi://Clutter';
import St from 'gi://St';

import * as Main from 'resource:///org/gnome/shell/ui/main.js';

import {cssColor} from './shellStyle.js';

const fadeMs = 150;
const maxRadius = 64;

export class Preview {
    constructor() {
        this._actor = null;
        this._swapActor = null;
    }

    // The actor, once shown: the palette lies above it.
    get actor() {
        return this._actor;
    }

    show(frame, fill, border, radius, swap) {
        this._actor = this._draw(this._actor, 'corvane-preview', frame, fill, border, radius);
        if (swap)
            this._swapActor = this._draw(this._swapActor, 'corvane-swap-preview', swap, fill, border, radius);
        else
            this._swapActor?.hide();
    }

    _draw(actor, name, [x, y, width, height], fill, border, radius) {
        if (!actor) {
            actor = new St.Widget({name, opacity: 0, visible: false, reactive: false});
            Main.layoutManager.uiGroup.insert_child_above(actor, global.window_group);
        }
        const corner = Math.max(0, Math.min(Number(radius) || 0, maxRadius));
        actor.style = `background-color: ${cssColor(fill)};` +
            `border: 2px solid ${cssColor(border)}; border-radius: ${corner}px;`;
        actor.set_position(x, y);
        actor.set_size(width, height);
        actor.show();
        actor.ease({opacity: 255, duration: fadeMs, mode: Clutter.AnimationMode.EASE_OUT_QUAD});
        return actor;
    }

    hide() {
        for (const actor of [this._actor, this._swapActor]) {
            // Hidden at the end of the fade unless destroyed meanwhile.
            actor?.ease({
                opacity: 0, duration: fadeMs, mode: Clutter.AnimationMode.EASE_OUT_QUAD,
                onComplete: () => (actor === this._actor || actor === this._swapActor) && actor.hide(),
            });
        }
    }

    destroy() {
        this._actor?.destroy();
        this._swapActor?.destroy();
        this._actor = null;
        this._swapActor = null;
    }
}
