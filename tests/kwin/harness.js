// Loaded by tests/kwin/session.sh into each test's KWin: says in KWin's log when a window comes and when
// the pointer moves or resizes one, for the tests to wait on.
function frame(window) {
    const g = window.frameGeometry;
    return [g.x, g.y, g.width, g.height].join(" ");
}

function watch(window) {
    print("corvane-harness window", window.internalId, window.resourceClass);
    window.interactiveMoveResizeStarted.connect(() => print("corvane-harness move-started", window.internalId, frame(window)));
    window.interactiveMoveResizeStepped.connect(() => print("corvane-harness move-stepped", window.internalId, frame(window)));
    window.interactiveMoveResizeFinished.connect(() => print("corvane-harness move-finished", window.internalId, frame(window)));
}

workspace.windowList().forEach(watch);
workspace.windowAdded.connect(watch);
print("corvane-harness ready");
