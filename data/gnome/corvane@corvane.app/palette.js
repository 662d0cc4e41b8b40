// The palette, drawn only as the daemon sends it: shapes, then texts over them, at the places given in the
// palette's own coordinates, and the pointer over it reported as it is (motion paced to one report a
// step). Its actors are kept and restyled while their number stays the same (the lit zone follows the
// pointer). It lies above the zone preview, which may show under the row.
import Clutter from 'gi://Clutter';
import St from 'gi://St';

import * as Main from 'resource:///org/gnome/shell/ui/main.js';

import {glibTimer} from './glibTimer.js';
import {Pacer, agentEvent} from './protocol.js';
import {cssColor} from './shellStyle.js';

export class Palette {
    // report sends events to the daemon; below() is the actor the palette lies above, if any.
    constructor(report, below) {
        this._report = report;
        this._below = below;
        this._actor = null;
        this._shapes = [];
        this._texts = [];
        this._cursor = null;
        this._motion = new Pacer(glibTimer(), () => {
            this._report([agentEvent.palette('motion', this._cursor)]);
            return true;
        });
    }

    show([x, y, width, height], interactive, shapes, texts) {
        if (!this._actor) {
            this._actor = new St.Widget({name: 'corvane-palette', reactive: false});
            Main.layoutManager.uiGroup.insert_child_above(this._actor, this._below() ?? global.window_group);
            this._actor.connectObject(
                'motion-event', (_a, event) => this._pointer('motion', event),
                'button-press-event', (_a, event) => this._pointer('press', event),
                'button-release-event', (_a, event) => this._pointer('release', event),
                'leave-event', (_a, event) => this._pointer('leave', event),
                this);
        }
        this._actor.set_position(x, y);
        this._actor.set_size(width, height);
        this._actor.reactive = interactive;
        this._shapes = this._placeAll(this._shapes, shapes, () => new St.Widget(), (actor, s) => {
            actor.style = `background-color: ${cssColor(s.fill)}; border: ${s.borderWidth ?? 0}px solid ` +
                `${cssColor(s.border)}; border-radius: ${s.radius ?? 0}px;`;
        });
        this._texts = this._placeAll(this._texts, texts, () => new St.Label(), (actor, t) => {
            actor.text = t.text;
            actor.style = `color: ${cssColor(t.color)}; font-size: ${t.size}px; ` +
                `font-weight: ${t.bold ? 'bold' : 'normal'};`;
        });
        this._texts.forEach(a => this._actor.set_child_above_sibling(a, null));
        this._actor.show();
    }

    destroy() {
        this._motion.cancel();
        this._cursor = null;
        this._actor?.destroy();
        this._actor = null;
        this._shapes = [];
        this._texts = [];
    }

    _placeAll(actors, items, make, style) {
        if (actors.length !== items.length) {
            actors.forEach(a => a.destroy());
            actors = items.map(() => {
                const actor = make();
                actor.reactive = false;
                this._actor.add_child(actor);
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

    // The palette takes every press over it, so no window below gets one. A crossing goes on to the
    // actors around it, as Clutter requires of one.
    _pointer(kind, event) {
        const cursor = event.get_coords();
        if (kind === 'motion') {
            this._cursor = cursor;
            this._motion.request();
            return Clutter.EVENT_STOP;
        }
        if ((kind === 'press' || kind === 'release') && event.get_button() !== Clutter.BUTTON_PRIMARY)
            return Clutter.EVENT_STOP;
        const events = [];
        // A motion still waiting goes first: the press is where the pointer went.
        if (this._motion.isWaiting) {
            this._motion.cancel();
            events.push(agentEvent.palette('motion', this._cursor));
        }
        events.push(agentEvent.palette(kind, cursor));
        this._report(events);
        return kind === 'leave' ? Clutter.EVENT_PROPAGATE : Clutter.EVENT_STOP;
    }
}
