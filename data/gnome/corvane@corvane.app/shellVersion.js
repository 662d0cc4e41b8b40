// The calls into GNOME Shell and mutter whose form has changed between the Shell's releases (45 to 51),
// or that the extension makes only where an object has them: the one place where the extension asks
// what the Shell offers, so that the other modules call these and never ask. Each asks for the call
// itself, never for a version number.
import Meta from 'gi://Meta';

// The grabs of a window that the user moves with the pointer or resizes with the pointer or the keyboard,
// by mutter's names, asked for one by one as the names differ between releases. A move with the keyboard
// is not among them: no pointer drags the window anywhere. From Shell 44 a grab may carry the unconstrained
// flag (what MOVING_UNCONSTRAINED adds to MOVING); before, there is none.
const unconstrained = (Meta.GrabOp.MOVING_UNCONSTRAINED ?? Meta.GrabOp.MOVING) & ~Meta.GrabOp.MOVING;
const moveOrResizeGrabs = new Set(['MOVING', 'KEYBOARD_RESIZING_UNKNOWN',
    ...['N', 'NE', 'E', 'SE', 'S', 'SW', 'W', 'NW'].flatMap(d => [`RESIZING_${d}`, `KEYBOARD_RESIZING_${d}`])]
    .map(name => Meta.GrabOp[name]).filter(op => op !== undefined));

export function isMoveOrResize(op) {
    return moveOrResizeGrabs.has(op & ~unconstrained);
}

// Ends mutter's maximizing of a window, which it would otherwise keep under a frame Corvane sets. A window
// tiled to a half is maximized vertically, so this ends the tiling too. Mutter 49 takes the directions as
// set_unmaximize_flags(), earlier ones as unmaximize()'s argument.
export function unmaximize(w) {
    if (!w.maximized_horizontally && !w.maximized_vertically)
        return;
    if (typeof w.set_unmaximize_flags === 'function')
        w.set_unmaximize_flags(Meta.MaximizeFlags.BOTH);
    else
        w.unmaximize(Meta.MaximizeFlags.BOTH);
}

// Whether the window is shown yet: one that is not has no mapped actor, or none at all.
export function isShown(w) {
    return w.get_compositor_private()?.is_mapped() ?? false;
}

// What tells the pointer's moves: the Shell's backend holds it from 48, the display before.
export function cursorTracker() {
    return global.backend?.get_cursor_tracker?.() ?? Meta.CursorTracker.get_for_display(global.display);
}
