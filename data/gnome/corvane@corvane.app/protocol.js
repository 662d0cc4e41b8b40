// What both of Corvane's agents share, run alike by GNOME Shell's GJS (this module of the extension) and
// by KWin's script engine (the build puts it, less its import and export lines, before the KWin script,
// which cannot import): the events they report, built from what each reads of its compositor; the
// pacing of pointer reports; the check and the running of the commands they are sent. The names and
// bounds are agentProtocol's, generated into protocolTables.js from data/protocol/agent-protocol.json.
// What a compositor is asked, to read a window or to move one, stays in its own agent.
import {agentEvent, agentProtocol} from './protocolTables.js';

function rect(r) {
    return [r.x, r.y, r.width, r.height];
}

function holds(r, x, y) {
    return x >= r[0] && x < r[0] + r[2] && y >= r[1] && y < r[1] + r[3];
}

function isRect(v) {
    return Array.isArray(v) && v.length === 4 && v.every(n => Number.isFinite(n)) && v[2] >= 0 && v[3] >= 0;
}

function isColor(v) {
    return typeof v === 'string' && /^#[0-9a-fA-F]{8}$/.test(v);
}

function isOwn(object, key) {
    return Object.prototype.hasOwnProperty.call(object, key);
}

// An agent reads a record of the protocol (a window, an output) with one function a field, named as the
// field; an optional field it cannot tell has none. Reads that miss a field the protocol needs, or name
// one it does not have, are the agent's drift from the protocol: it is refused as the agent starts.
function checkReads(type, reads) {
    const fields = agentProtocol.records[type];
    for (const name of Object.keys(fields)) {
        if (!isOwn(reads, name) && !fields[name].optional)
            throw new Error(`Corvane's agent reads no ${name} of a ${type}`);
    }
    for (const name of Object.keys(reads)) {
        if (!isOwn(fields, name))
            throw new Error(`Corvane's agent reads a ${type}'s ${name}, which the protocol has not`);
    }
}

function makeRecord(reads, subject) {
    const record = {};
    for (const name of Object.keys(reads))
        record[name] = reads[name](subject);
    return record;
}

// The events of what happens on the desktop, as both agents report them. compositor holds the agent's
// reads: window and output (reads of a record, as checkReads says), windows() and outputs() (the
// compositor's own objects), stacking() (window ids, back to front), activeId() ('' for none) and
// cursor() ([x, y]).
class AgentReports {
    constructor(compositor) {
        checkReads('window', compositor.window);
        checkReads('output', compositor.output);
        this._compositor = compositor;
    }

    describe(w) {
        return makeRecord(this._compositor.window, w);
    }

    outputs() {
        return agentEvent.outputs(this._outputList());
    }

    stacking() {
        return agentEvent.stacking(this._compositor.stacking());
    }

    active(id = this._compositor.activeId()) {
        return agentEvent.active(id);
    }

    snapshot() {
        const c = this._compositor;
        return agentEvent.snapshot(this._outputList(), c.windows().map(w => this.describe(w)), c.stacking(),
            c.activeId(), c.cursor());
    }

    windowChanged(w) {
        return [agentEvent.window(this.describe(w))];
    }

    // A panel that moves or grows changes the work areas.
    frameChanged(w) {
        const read = this._compositor.window;
        const events = [agentEvent.frame(read.id(w), read.frame(w), read.client(w), read.output(w))];
        if (read.dock(w))
            events.push(this.outputs());
        return events;
    }

    // A window that comes changes the stacking, may be a panel (the work areas go too), and may have been
    // activated before the compositor told of it: its activation is told again once it is known.
    windowAdded(w) {
        return [agentEvent.window(this.describe(w)), this.stacking(), this.outputs(), this.active()];
    }

    windowRemoved(id) {
        return [agentEvent.removed(id), this.outputs()];
    }

    // The activated window's id, where the compositor tells it with the change.
    activeChanged(id = this._compositor.activeId()) {
        return [this.active(id), this.stacking()];
    }

    _outputList() {
        return this._compositor.outputs().map(o => makeRecord(this._compositor.output, o));
    }
}

// Paces a report to one a stepMs however often it is asked for: a fast mouse would otherwise cost a call
// on the bus a millisecond. One asked for too soon waits for the rest of the step and reads the newest
// state only then, so the last is never lost. timer is the host's one-shot timer: now() in milliseconds,
// start(ms, callback), stop(). send() reports, and says whether it did.
class Pacer {
    constructor(timer, send) {
        this._timer = timer;
        this._send = send;
        this._last = -Infinity;
        this._isWaiting = false;
    }

    get isWaiting() {
        return this._isWaiting;
    }

    request() {
        if (this._isWaiting)
            return;
        const wait = this._last + agentProtocol.bounds.stepMs - this._timer.now();
        if (wait <= 0) {
            this._fire();
            return;
        }
        this._isWaiting = true;
        this._timer.start(Math.ceil(wait), () => {
            this._isWaiting = false;
            this._fire();
        });
    }

    cancel() {
        if (this._isWaiting)
            this._timer.stop();
        this._isWaiting = false;
    }

    // Sends what waits now: a sync must come after it.
    flush() {
        if (!this._isWaiting)
            return;
        this.cancel();
        this._fire();
    }

    _fire() {
        if (this._send())
            this._last = this._timer.now();
    }
}

class InvalidCommand extends Error {}

// UTF-8 bytes, as the bound counts them; a surrogate pair is two units of two bytes each.
function utf8Length(text) {
    let bytes = 0;
    for (let i = 0; i < text.length; i++) {
        const unit = text.charCodeAt(i);
        bytes += unit < 0x80 ? 1 : unit < 0x800 || (unit >= 0xd800 && unit < 0xe000) ? 2 : 3;
    }
    return bytes;
}

function bound(name) {
    return name === undefined ? Infinity : agentProtocol.bounds[name];
}

const valueChecks = {
    string: (v, rule) => typeof v === 'string' && v.length <= bound(rule.maxLength) &&
        (rule.values === undefined || rule.values.includes(v)),
    number: (v, rule) => Number.isFinite(v) && !(v < rule.min) && !(v > rule.max),
    boolean: v => typeof v === 'boolean',
    rect: (v, rule) => isRect(v) && v[2] <= bound(rule.maxSide) && v[3] <= bound(rule.maxSide),
    point: v => Array.isArray(v) && v.length === 2 && v.every(n => Number.isFinite(n)),
    color: isColor,
    modifiers: v => Array.isArray(v) && v.every(s => typeof s === 'string'),
    chords: v => Array.isArray(v) &&
        v.every(s => typeof s === 'string' && s.length <= agentProtocol.bounds.maxChordLength),
    list: (v, rule) => Array.isArray(v) && v.length <= bound(rule.maxItems) && v.every(item => isOf(rule.of, item)),
    map: (v, rule) => isObject(v) && Object.keys(v).every(key => isOf(rule.of, v[key])),
};

function isObject(v) {
    return v !== null && typeof v === 'object' && !Array.isArray(v);
}

function isOf(type, v) {
    return isOwn(agentProtocol.records, type) ? isRecord(agentProtocol.records[type], v) : valueChecks[type](v, {});
}

function isField(rule, v) {
    if (v === null)
        return rule.nullable === true;
    return isOwn(agentProtocol.records, rule.type) ? isRecord(agentProtocol.records[rule.type], v)
        : valueChecks[rule.type](v, rule);
}

// Every field the record needs, each of its type, and no other: a field the protocol gives other agents
// only is none of this one's. With hiddenBy null, the record needs no other field.
function isRecord(fields, v, own = {}) {
    if (!isObject(v))
        return false;
    const isHidden = own.hiddenBy !== undefined && v[own.hiddenBy] === null;
    const isMine = name => isOwn(fields, name) && (!fields[name].to || fields[name].to.includes(own.agent));
    for (const name of Object.keys(fields)) {
        if (!isMine(name))
            continue;
        if (!isOwn(v, name)) {
            if (!fields[name].optional && !isHidden)
                return false;
        } else if (!isField(fields[name], v[name])) {
            return false;
        }
    }
    return Object.keys(v).every(name => name === own.nameKey || isMine(name));
}

// The commands an agent takes, each run by its handler of the command's name, given the command's fields
// in the protocol's order, so the agent never spells one. The handlers must be exactly the commands the
// protocol sends this agent ('kwin', 'gnome').
class AgentCommands {
    constructor(agent, handlers) {
        const commands = agentProtocol.commands;
        for (const name of Object.keys(commands)) {
            if (commands[name].to.includes(agent) !== isOwn(handlers, name))
                throw new Error(`Corvane's ${agent} agent and the protocol disagree on the command ${name}`);
        }
        for (const name of Object.keys(handlers)) {
            if (!isOwn(commands, name))
                throw new Error(`Corvane's ${agent} agent runs a command the protocol has not: ${name}`);
        }
        this._agent = agent;
        this._handlers = handlers;
    }

    // The commands of one call (one poll's answer), every one checked before any runs, so that a call
    // does all it asks or nothing. checks adds what only the agent can check: by command name, a function
    // of the command's fields, as its handler takes them. Throws InvalidCommand.
    read(text, checks = {}) {
        const bounds = agentProtocol.bounds;
        if (typeof text !== 'string' || utf8Length(text) > bounds.maxCommandBytes)
            throw new InvalidCommand(`more than ${bounds.maxCommandBytes} bytes of commands`);
        let commands;
        try {
            commands = JSON.parse(text);
        } catch (e) {
            throw new InvalidCommand('commands that are not JSON');
        }
        if (!Array.isArray(commands) || commands.length > bounds.maxCommands)
            throw new InvalidCommand(`not an array of at most ${bounds.maxCommands} commands`);
        for (const c of commands) {
            if (!this._isCommand(c) || (isOwn(checks, c[agentProtocol.keys.command]) &&
                !checks[c[agentProtocol.keys.command]](...this._fields(c))))
                throw new InvalidCommand(`not a command: ${JSON.stringify(c).slice(0, 200)}`);
        }
        return commands;
    }

    run(command) {
        this._handlers[command[agentProtocol.keys.command]](...this._fields(command));
    }

    _fields(command) {
        const fields = agentProtocol.commands[command[agentProtocol.keys.command]].fields;
        return Object.keys(fields).map(field => command[field]);
    }

    _isCommand(c) {
        const nameKey = agentProtocol.keys.command;
        const name = isObject(c) ? c[nameKey] : undefined;
        if (typeof name !== 'string' || !isOwn(this._handlers, name))
            return false;
        const rule = agentProtocol.commands[name];
        return isRecord(rule.fields, c, {nameKey, hiddenBy: rule.hiddenBy, agent: this._agent});
    }
}

export {AgentCommands, AgentReports, Pacer, agentEvent, agentProtocol, holds, rect};
