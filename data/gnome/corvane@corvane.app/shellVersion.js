// The calls into GNOME Shell and mutter whose form has changed between the Shell's releases (45 to 51),
// or that the extension makes only where an object has them: the one place where the extension decides
// by version or by what the Shell offers, so that the other modules call these and never ask.
import Meta from 'gi://Meta';

// A move with the pointer, as mutter names its grab: the keyboard's moves and every resize are not.
export function isPointerMove(op) {
    return op === Meta.GrabOp.MOVING || op === Meta.GrabOp.MOVING_UNCONSTRAINED;
}

// Ends mutter's maximizing of a window, which it would otherwise keep under a frame Corvane sets.
export function unmaximize(w) {
    if (w.get_maximized())
        w.unmaximize(Meta.MaximizeFlags.BOTH);
}

// Whether the window is shown yet: one that is not has no mapped actor, or none at all.
export function isShown(w) {
    return w.get_compositor_private()?.is_mapped() ?? false;
}

// What tells the pointer's moves, as the Shell's backend holds it.
export function cursorTracker() {
    return global.backend.get_cursor_tracker();
}
