// A one-shot timer on GLib's main loop, as the protocol's Pacer takes it (now, start, stop); KWin's
// agent gives it a QTimer instead.
import GLib from 'gi://GLib';

export function glibTimer() {
    let source = 0;
    return {
        now: () => GLib.get_monotonic_time() / 1000,
        start(ms, then) {
            source = GLib.timeout_add(GLib.PRIORITY_DEFAULT, ms, () => {
                source = 0;
                then();
                return GLib.SOURCE_REMOVE;
            });
        },
        stop() {
            if (source)
                GLib.source_remove(source);
            source = 0;
        },
    };
}
