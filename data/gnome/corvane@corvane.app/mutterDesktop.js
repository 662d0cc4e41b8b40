// What the extension reads of the desktop from mutter: its windows, monitors, stacking, focus and
// pointer, as the protocol's AgentReports takes them (one read a field of a window, of an output).
import Clutter from 'gi://Clutter';
import Meta from 'gi://Meta';

import {AgentReports, agentProtocol, holds, rect} from './protocol.js';

const dialogTypes = [Meta.WindowType.DIALOG, Meta.WindowType.MODAL_DIALOG];
const specialTypes = [Meta.WindowType.DESKTOP, Meta.WindowType.DOCK, Meta.WindowType.SPLASHSCREEN,
    Meta.WindowType.TOOLBAR, Meta.WindowType.MENU, Meta.WindowType.DROPDOWN_MENU, Meta.WindowType.POPUP_MENU,
    Meta.WindowType.TOOLTIP, Meta.WindowType.NOTIFICATION, Meta.WindowType.COMBO, Meta.WindowType.DND,
    Meta.WindowType.OVERRIDE_OTHER];

export function windowId(w) {
    return String(w.get_id());
}

export function windows() {
    return global.display.list_all_windows();
}

export function findWindow(id) {
    return windows().find(w => windowId(w) === id) ?? null;
}

function modifiers(mask) {
    const keys = agentProtocol.modifierKeys;
    const held = [];
    if (mask & Clutter.ModifierType.CONTROL_MASK)
        held.push(keys.control);
    if (mask & Clutter.ModifierType.MOD1_MASK)
        held.push(keys.alt);
    if (mask & Clutter.ModifierType.SHIFT_MASK)
        held.push(keys.shift);
    if (mask & (Clutter.ModifierType.SUPER_MASK | Clutter.ModifierType.MOD4_MASK))
        held.push(keys.super);
    return held;
}

// The pointer and the modifier keys held, as each pointer report carries them.
export function pointer() {
    const [x, y, mask] = global.get_pointer();
    return {cursor: [x, y], modifiers: modifiers(mask)};
}

// The scale of the monitor that holds the frame's centre, and of the one the window is on: a client takes
// a monitor's scale only once it is there.
export function scaleAt([x, y, width, height]) {
    for (let i = 0; i < global.display.get_n_monitors(); i++) {
        if (holds(rect(global.display.get_monitor_geometry(i)), x + width / 2, y + height / 2))
            return global.display.get_monitor_scale(i);
    }
    return null;
}

export function scaleOf(w) {
    const i = w.get_monitor();
    return i >= 0 ? global.display.get_monitor_scale(i) : null;
}

// Mutter tells an extension no connector of a monitor, only its index.
function outputName(index) {
    return index >= 0 ? `Monitor ${index + 1}` : '';
}

const type = w => w.get_window_type();

export const reports = new AgentReports({
    window: {
        id: windowId,
        pid: w => w.get_pid(),
        // On Wayland mutter keeps the app id as the class: the name a user knows the app by.
        appClass: w => w.get_wm_class() || w.get_gtk_application_id() || w.get_sandboxed_app_id() || '',
        caption: w => w.get_title() ?? '',
        frame: w => rect(w.get_frame_rect()),
        client: w => rect(w.frame_rect_to_client_rect(w.get_frame_rect())),
        // The monitor the frame is mostly on: the window's own is updated only after it has moved.
        output: w => outputName(global.display.get_monitor_index_for_rect(w.get_frame_rect())),
        normal: w => type(w) === Meta.WindowType.NORMAL,
        dialog: w => dialogTypes.includes(type(w)),
        special: w => specialTypes.includes(type(w)),
        desktopWindow: w => type(w) === Meta.WindowType.DESKTOP,
        dock: w => type(w) === Meta.WindowType.DOCK,
        notification: w => type(w) === Meta.WindowType.NOTIFICATION,
        onScreenDisplay: () => false,
        onCurrentDesktop: w => w.is_on_all_workspaces() ||
            w.located_on_workspace(global.workspace_manager.get_active_workspace()),
        minimized: w => w.minimized,
        fullScreen: w => w.is_fullscreen(),
        moveable: w => w.allows_move(),
        resizeable: w => w.allows_resize(),
        managed: w => !w.is_override_redirect(),
    },
    // Monitors by index.
    output: {
        name: outputName,
        connector: () => '', // mutter tells an extension no connector: monitors are known by place
        manufacturer: () => '',
        model: () => '',
        frame: i => rect(global.display.get_monitor_geometry(i)),
        workArea: i => rect(global.workspace_manager.get_active_workspace().get_work_area_for_monitor(i)),
        scale: i => global.display.get_monitor_scale(i),
    },
    windows,
    outputs: () => Array.from({length: global.display.get_n_monitors()}, (_, i) => i),
    stacking: () => global.display.sort_windows_by_stacking(windows()).map(windowId),
    activeId: () => {
        const w = global.display.focus_window;
        return w ? windowId(w) : '';
    },
    cursor: () => pointer().cursor,
});
