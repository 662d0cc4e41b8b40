// Corvane's agent inside KWin. It reports what KWin knows (windows, outputs, work areas, the active
// window, frames, the pointer while a window is moved or while it is in a region Corvane named) and
// does what the daemon asks (set a frame, activate a window). It decides nothing: every choice is
// made in Corvane's daemon, which loads this script and talks to it over D-Bus.
//
// The daemon cannot call a script, so the script asks it for work: Poll() is held by the daemon
// until it has commands, and the script polls again as soon as it has run them. A poll held for
// renewMs is renewed before D-Bus's own 25 s timeout ends it: the daemon answers the old one empty,
// and only the newest poll's answer starts the next. KWin drops the callback of a call that ends in an
// error (a daemon gone or stuck): the renewal polls again all the same, so the script waits for the
// daemon to come back, which loads it again if it was gone.

const service = "app.corvane.Corvane";
const path = "/app/corvane/Agent";
const iface = "app.corvane.Agent1";

let regions = [];    // [x, y, w, h] rectangles where pointer motion is reported
let inRegion = false;
let reportsMoves = false; // whether a user's move with the pointer is reported, as the daemon asks
let moving = null;   // the window the user moves, while they move it

function report(events) {
    callDBus(service, path, iface, "Report", JSON.stringify(events));
}

function rect(g) {
    return [g.x, g.y, g.width, g.height];
}

function isOnCurrentDesktop(w) {
    if (!w.onAllDesktops && w.desktops.indexOf(workspace.currentDesktop) < 0)
        return false;
    return w.activities.length === 0 || w.activities.indexOf(workspace.currentActivity) >= 0;
}

function describe(w) {
    return {
        id: w.internalId.toString(),
        pid: w.pid,
        appClass: w.resourceClass.toString(),
        caption: w.caption,
        frame: rect(w.frameGeometry),
        client: rect(w.clientGeometry),
        output: w.output ? w.output.name : "",
        normal: w.normalWindow,
        dialog: w.dialog,
        special: w.specialWindow,
        desktopWindow: w.desktopWindow,
        dock: w.dock,
        notification: w.notification || w.criticalNotification,
        onScreenDisplay: w.onScreenDisplay,
        onCurrentDesktop: isOnCurrentDesktop(w),
        minimized: w.minimized,
        fullScreen: w.fullScreen,
        moveable: w.moveable,
        resizeable: w.resizeable,
        managed: w.managed,
    };
}

function outputs() {
    return workspace.screens.map(function (s) {
        return {
            name: s.name,
            manufacturer: s.manufacturer,
            model: s.model,
            frame: rect(s.geometry),
            workArea: rect(workspace.clientArea(KWin.MaximizeArea, s, workspace.currentDesktop)),
            scale: s.devicePixelRatio,
        };
    });
}

function stacking() {
    return workspace.stackingOrder.map(function (w) { return w.internalId.toString(); });
}

function activeId() {
    const active = workspace.activeWindow;
    return active ? active.internalId.toString() : "";
}

function snapshot() {
    return {
        e: "snapshot",
        outputs: outputs(),
        windows: workspace.windowList().map(describe),
        stacking: stacking(),
        active: activeId(),
        cursor: [workspace.cursorPos.x, workspace.cursorPos.y],
    };
}

function holds(r, p) {
    return p.x >= r[0] && p.x < r[0] + r[2] && p.y >= r[1] && p.y < r[1] + r[3];
}

// Pointer reports are paced to one a frame, however often the pointer reports: a fast mouse would
// otherwise cost a call on the bus a thousand times a second. The newest position is never dropped.
const stepMs = 16;
let lastPointerReport = -stepMs;
const pacer = new QTimer();
pacer.singleShot = true;
pacer.timeout.connect(reportPointer);

function pointerMoved() {
    if (pacer.active)
        return;
    if (!moving && !inRegion && !regions.some(function (r) { return holds(r, workspace.cursorPos); }))
        return;
    const wait = lastPointerReport + stepMs - Date.now();
    if (wait > 0) {
        pacer.interval = wait;
        pacer.start();
        return;
    }
    reportPointer();
}

function reportPointer() {
    const p = workspace.cursorPos;
    lastPointerReport = Date.now();
    if (moving) {
        // The frame rides along: it is what tells a move of the window from a press that moves nothing.
        report([{e: "moveStep", id: moving.internalId.toString(), cursor: [p.x, p.y],
                 frame: rect(moving.frameGeometry)}]);
        return;
    }
    const isIn = regions.some(function (r) { return holds(r, p); });
    if (isIn || inRegion)
        report([{e: "motion", cursor: [p.x, p.y]}]);
    inRegion = isIn;
}

function watch(w) {
    const id = w.internalId.toString();
    function reportFrame() {
        const events = [{e: "frame", id: id, frame: rect(w.frameGeometry), client: rect(w.clientGeometry),
                         output: w.output ? w.output.name : ""}];
        // A panel that moves or grows changes the work areas.
        if (w.dock)
            events.push({e: "outputs", outputs: outputs()});
        report(events);
    }
    // While the user moves or resizes the window its frame changes at every step of the pointer: it is
    // reported once, when they let go.
    w.frameGeometryChanged.connect(function () {
        if (!w.move && !w.resize)
            reportFrame();
    });
    w.interactiveMoveResizeStarted.connect(function () {
        if (!w.move || !reportsMoves)
            return;
        moving = w;
        const p = workspace.cursorPos;
        report([{e: "moveStarted", id: id, cursor: [p.x, p.y]}]);
    });
    w.interactiveMoveResizeFinished.connect(function () {
        reportFrame();
        if (moving !== w)
            return;
        moving = null;
        pacer.stop(); // the release says where the pointer ended
        const p = workspace.cursorPos;
        report([{e: "moveFinished", id: id, cursor: [p.x, p.y]}]);
    });
    w.fullScreenChanged.connect(function () { report([{e: "window", window: describe(w)}]); });
    w.minimizedChanged.connect(function () { report([{e: "window", window: describe(w)}]); });
    w.desktopsChanged.connect(function () { report([{e: "window", window: describe(w)}]); });
    w.captionChanged.connect(function () { report([{e: "window", window: describe(w)}]); });
}

function findWindow(id) {
    const all = workspace.windowList();
    for (let i = 0; i < all.length; ++i) {
        if (all[i].internalId.toString() === id)
            return all[i];
    }
    return null;
}

function run(command) {
    if (command.c === "frame") {
        const w = findWindow(command.id);
        if (!w) {
            report([{e: "gone", id: command.id}]);
            return;
        }
        // A window KWin tiled (a drop at a screen edge) or maximized would keep that state under the new
        // frame and go back to it later: Corvane's frame replaces it.
        if (w.tile)
            w.tile = null;
        if (w.maximizeMode)
            w.setMaximize(false, false);
        w.frameGeometry = {x: command.frame[0], y: command.frame[1],
                           width: command.frame[2], height: command.frame[3]};
    } else if (command.c === "activate") {
        const w = findWindow(command.id);
        if (w)
            workspace.activeWindow = w;
    } else if (command.c === "regions") {
        regions = command.regions;
        inRegion = regions.some(function (r) { return holds(r, workspace.cursorPos); });
    } else if (command.c === "moves") {
        reportsMoves = command.report === true;
    } else if (command.c === "snapshot") {
        report([snapshot()]);
    }
}

const renewMs = 24000; // the daemon's KWinAgent::kPollRenewMs
let polls = 0;
const renewal = new QTimer();
renewal.singleShot = true;
renewal.interval = renewMs;
renewal.timeout.connect(poll);

function poll() {
    const mine = ++polls;
    renewal.start();
    callDBus(service, path, iface, "Poll", function (answer) {
        let commands = [];
        try {
            commands = JSON.parse(answer);
        } catch (e) {
            print("corvane agent: the daemon sent what is not JSON");
        }
        for (let i = 0; i < commands.length; ++i)
            run(commands[i]);
        if (mine === polls)
            poll();
    });
}

workspace.windowList().forEach(watch);
// KWin tells no change of the stacking order to a script as a whole: it changes when a window comes,
// goes or is activated (and raised). A window added or removed may be a panel: the work areas go too.
// KWin activates a new window before it tells of it: its activation is told again once it is known.
workspace.windowAdded.connect(function (w) {
    watch(w);
    report([{e: "window", window: describe(w)}, {e: "stacking", stacking: stacking()},
            {e: "outputs", outputs: outputs()}, {e: "active", id: activeId()}]);
});
workspace.windowRemoved.connect(function (w) {
    if (moving === w)
        moving = null;
    report([{e: "removed", id: w.internalId.toString()}, {e: "outputs", outputs: outputs()}]);
});
workspace.windowActivated.connect(function (w) {
    report([{e: "active", id: w ? w.internalId.toString() : ""}, {e: "stacking", stacking: stacking()}]);
});
workspace.screensChanged.connect(function () { report([{e: "outputs", outputs: outputs()}]); });
workspace.screenOrderChanged.connect(function () { report([{e: "outputs", outputs: outputs()}]); });
workspace.virtualScreenGeometryChanged.connect(function () { report([{e: "outputs", outputs: outputs()}]); });
workspace.currentDesktopChanged.connect(function () { report([snapshot()]); });
workspace.currentActivityChanged.connect(function () { report([snapshot()]); });
workspace.cursorPosChanged.connect(pointerMoved);

report([snapshot()]);
poll();
