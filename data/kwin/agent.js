// Corvane's agent inside KWin. It reports what KWin knows (windows, outputs, work areas, the active
// window, frames, the pointer while a window is moved or resized or while it is in a region Corvane
// named) and does what the daemon asks (set a frame, activate a window). It decides nothing: every
// choice is made in Corvane's daemon, which loads this script and talks to it over D-Bus.
//
// The daemon cannot call a script, so the script asks it for work: Poll() is held by the daemon
// until it has commands, and the script polls again as soon as it has run them. A poll held for
// pollRenewMs is renewed before D-Bus's own 25 s timeout ends it: the daemon answers the old one empty,
// and only the newest poll's answer starts the next. KWin drops the callback of a call that ends in an
// error (a daemon gone or stuck): the renewal polls again all the same, so the script waits for the
// daemon to come back, which loads it again if it was gone.
//
// The build puts the protocol's tables and the agents' shared code (data/protocol, and the GNOME Shell
// extension's protocol.js) before this: agentProtocol, agentEvent, AgentReports, Pacer and AgentCommands
// come from there.
// Only what KWin is asked, to read a window or to move one, is this file's.

const bus = agentProtocol.bus;

let regions = [];    // [x, y, w, h] rectangles where pointer motion is reported
let inRegion = false;
let reportsMoves = false; // whether a user's moves and resizes are reported, as the daemon asks
let held = null;     // the window the user moves or resizes, while its steps are reported

function report(events) {
    callDBus(bus.service, bus.agentPath, bus.agentInterface, "Report", JSON.stringify(events));
}

function windowId(w) {
    return w.internalId.toString();
}

function outputName(w) {
    return w.output ? w.output.name : "";
}

function isOnCurrentDesktop(w) {
    if (!w.onAllDesktops && w.desktops.indexOf(workspace.currentDesktop) < 0)
        return false;
    return w.activities.length === 0 || w.activities.indexOf(workspace.currentActivity) >= 0;
}

function cursor() {
    return [workspace.cursorPos.x, workspace.cursorPos.y];
}

const reports = new AgentReports({
    window: {
        id: windowId,
        pid: w => w.pid,
        appClass: w => w.resourceClass.toString(),
        caption: w => w.caption,
        frame: w => rect(w.frameGeometry),
        client: w => rect(w.clientGeometry),
        output: outputName,
        normal: w => w.normalWindow,
        dialog: w => w.dialog,
        special: w => w.specialWindow,
        desktopWindow: w => w.desktopWindow,
        dock: w => w.dock,
        notification: w => w.notification || w.criticalNotification,
        onScreenDisplay: w => w.onScreenDisplay,
        onCurrentDesktop: isOnCurrentDesktop,
        minimized: w => w.minimized,
        fullScreen: w => w.fullScreen,
        moveable: w => w.moveable,
        resizeable: w => w.resizeable,
        managed: w => w.managed,
    },
    output: {
        name: s => s.name,
        manufacturer: s => s.manufacturer,
        model: s => s.model,
        frame: s => rect(s.geometry),
        workArea: s => rect(workspace.clientArea(KWin.MaximizeArea, s, workspace.currentDesktop)),
        scale: s => s.devicePixelRatio,
    },
    windows: () => workspace.windowList(),
    outputs: () => workspace.screens,
    stacking: () => workspace.stackingOrder.map(windowId),
    activeId: () => workspace.activeWindow ? windowId(workspace.activeWindow) : "",
    cursor: cursor,
});

// KWin's one-shot timer, as the pacer takes it.
function kwinTimer() {
    const timer = new QTimer();
    timer.singleShot = true;
    let callback = null;
    timer.timeout.connect(function () { callback(); });
    return {
        now: function () { return Date.now(); },
        start: function (ms, then) { callback = then; timer.interval = ms; timer.start(); },
        stop: function () { timer.stop(); },
    };
}

function isInRegion() {
    const p = cursor();
    return regions.some(function (r) { return holds(r, p[0], p[1]); });
}

const pointerReports = new Pacer(kwinTimer(), reportPointer);

function pointerMoved() {
    if (!held && !inRegion && !isInRegion())
        return;
    pointerReports.request();
}

function reportPointer() {
    if (held) {
        // The frame rides along: it is what tells a move or resize of the window from a press that moves
        // nothing.
        report([agentEvent.moveStep(windowId(held), cursor(), rect(held.frameGeometry))]);
        return true;
    }
    const isIn = isInRegion();
    const isReported = isIn || inRegion;
    if (isReported)
        report([agentEvent.motion(cursor())]);
    inRegion = isIn;
    return isReported;
}

function watch(w) {
    const id = windowId(w);
    const changed = function () { report(reports.windowChanged(w)); };
    // While the user moves or resizes the window its frame changes at every step: it is reported once,
    // when they let go, and meanwhile as a step of a reported move or resize, which a resize with the
    // keyboard takes with no pointer motion.
    w.frameGeometryChanged.connect(function () {
        if (held === w)
            pointerReports.request();
        else if (!w.move && !w.resize)
            report(reports.frameChanged(w));
    });
    w.interactiveMoveResizeStarted.connect(function () {
        if (!(w.move || w.resize) || !reportsMoves)
            return;
        held = w;
        report([agentEvent.moveStarted(id, cursor())]);
    });
    w.interactiveMoveResizeFinished.connect(function () {
        report(reports.frameChanged(w));
        if (held !== w)
            return;
        held = null;
        pointerReports.cancel(); // the release says where the pointer ended
        report([agentEvent.moveFinished(id, cursor())]);
    });
    w.fullScreenChanged.connect(changed);
    w.minimizedChanged.connect(changed);
    w.desktopsChanged.connect(changed);
    w.captionChanged.connect(changed);
}

function findWindow(id) {
    const all = workspace.windowList();
    for (let i = 0; i < all.length; ++i) {
        if (windowId(all[i]) === id)
            return all[i];
    }
    return null;
}

const commands = new AgentCommands("kwin", {
    frame: function (id, frame) {
        const w = findWindow(id);
        if (!w) {
            report([agentEvent.gone(id)]);
            return;
        }
        // A window KWin tiled (a drop at a screen edge) or maximized would keep that state under the new
        // frame and go back to it later: Corvane's frame replaces it.
        if (w.tile)
            w.tile = null;
        if (w.maximizeMode)
            w.setMaximize(false, false);
        w.frameGeometry = {x: frame[0], y: frame[1], width: frame[2], height: frame[3]};
    },
    activate: function (id) {
        const w = findWindow(id);
        if (w)
            workspace.activeWindow = w;
    },
    regions: function (rects) {
        regions = rects;
        inRegion = isInRegion();
    },
    moves: function (isReported) {
        reportsMoves = isReported;
    },
    snapshot: function () {
        report([reports.snapshot()]);
    },
    sync: function (n) {
        pointerReports.flush();
        report([agentEvent.synced(n)]);
    },
});

let polls = 0;
const renewal = new QTimer();
renewal.singleShot = true;
renewal.interval = agentProtocol.bounds.pollRenewMs; // the daemon answers a poll held this long empty
renewal.timeout.connect(poll);

function poll() {
    const mine = ++polls;
    renewal.start();
    callDBus(bus.service, bus.agentPath, bus.agentInterface, "Poll", function (answer) {
        // Only the daemon answers this call (the bus routes the answer from the name's owner); its
        // commands are checked all the same, so one this script cannot run never ends the poll loop.
        let batch = [];
        try {
            batch = commands.read(answer);
        } catch (e) {
            print("corvane agent: refused the daemon's commands: " + e.message);
        }
        for (let i = 0; i < batch.length; ++i)
            commands.run(batch[i]);
        if (mine === polls)
            poll();
    });
}

workspace.windowList().forEach(watch);
// KWin tells no change of the stacking order to a script as a whole: it changes when a window comes,
// goes or is activated (and raised).
workspace.windowAdded.connect(function (w) {
    watch(w);
    report(reports.windowAdded(w));
});
workspace.windowRemoved.connect(function (w) {
    if (held === w)
        held = null;
    report(reports.windowRemoved(windowId(w)));
});
workspace.windowActivated.connect(function (w) { report(reports.activeChanged(w ? windowId(w) : "")); });
const outputsChanged = function () { report([reports.outputs()]); };
workspace.screensChanged.connect(outputsChanged);
workspace.screenOrderChanged.connect(outputsChanged);
workspace.virtualScreenGeometryChanged.connect(outputsChanged);
workspace.currentDesktopChanged.connect(function () { report([reports.snapshot()]); });
workspace.currentActivityChanged.connect(function () { report([reports.snapshot()]); });
workspace.cursorPosChanged.connect(pointerMoved);

report([reports.snapshot()]);
poll();
