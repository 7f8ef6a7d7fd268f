// The three pages of the web view. One socket to /live brings a snapshot of
// the hall, then small changes, each replacing one part of it. Every text is
// set as text, never as markup: names come from the delegates' list.
"use strict";

const state = {};
const memory = { speaker: "" }; // what the chair keeps seeing after the hall moved on
const page = document.body.dataset.page;
const code = new URLSearchParams(location.search).get("code") || "";
const SVG = "http://www.w3.org/2000/svg";

function el(tag, className, text) {
  const node = document.createElement(tag);
  if (className) node.className = className;
  if (text !== undefined) node.textContent = text;
  return node;
}

function svg(tag, attributes, text) {
  const node = document.createElementNS(SVG, tag);
  for (const [name, value] of Object.entries(attributes)) node.setAttribute(name, value);
  if (text !== undefined) node.textContent = text;
  return node;
}

function text(key, fallback) {
  return (state.texts && state.texts[key]) || fallback;
}

// A figure carries its label and value as data, so a test reads what a viewer sees.
function markFigure(node, figure) {
  node.classList.add("figure");
  node.dataset.label = figure.label;
  node.dataset.value = figure.value;
  return node;
}

function figuresTable(rows, withPercent) {
  const table = el("table", "figures");
  for (const row of rows) {
    const tr = markFigure(el("tr"), row);
    tr.append(el("td", "label", row.label), el("td", "value", row.value), el("td", "unit", row.unit || ""));
    if (withPercent) tr.append(el("td", "percent", row.percent || ""));
    table.append(tr);
  }
  return table;
}

function histogram(items, colour) {
  const chart = svg("svg", { viewBox: "0 0 1000 600", preserveAspectRatio: "xMidYMid meet" });
  const max = Math.max(1, ...items.map((item) => item.amount));
  const slot = 1000 / Math.max(1, items.length);
  items.forEach((item, i) => {
    const height = (item.amount / max) * 440;
    const x = i * slot + slot * 0.2;
    const group = markFigure(svg("g", {}), item);
    group.append(
      svg("rect", { x, y: 520 - height, width: slot * 0.6, height, fill: item.colour }),
      svg("text", { x: x + slot * 0.3, y: 510 - height, "text-anchor": "middle", fill: colour,
                    "font-size": 40 }, item.value + (item.percent ? " (" + item.percent + ")" : "")),
      svg("text", { x: x + slot * 0.3, y: 570, "text-anchor": "middle", fill: colour, "font-size": 36 },
          item.label));
    chart.append(group);
  });
  return chart;
}

function pie(items, colour) {
  const chart = svg("svg", { viewBox: "0 0 1000 600", preserveAspectRatio: "xMidYMid meet" });
  const total = items.reduce((sum, item) => sum + item.amount, 0);
  let angle = -Math.PI / 2;
  items.forEach((item, i) => {
    const group = markFigure(svg("g", {}), item);
    const share = total > 0 ? item.amount / total : 0;
    if (share >= 0.9999) {
      group.append(svg("circle", { cx: 300, cy: 300, r: 260, fill: item.colour }));
    } else if (share > 0) {
      const end = angle + share * 2 * Math.PI;
      const large = share > 0.5 ? 1 : 0;
      const d = `M300,300 L${300 + 260 * Math.cos(angle)},${300 + 260 * Math.sin(angle)} ` +
                `A260,260 0 ${large} 1 ${300 + 260 * Math.cos(end)},${300 + 260 * Math.sin(end)} Z`;
      group.append(svg("path", { d, fill: item.colour }));
      angle = end;
    }
    const y = 120 + i * 70;
    group.append(svg("rect", { x: 620, y: y - 32, width: 36, height: 36, fill: item.colour }),
                 svg("text", { x: 675, y, fill: colour, "font-size": 38 },
                     `${item.label}  ${item.value}` + (item.percent ? ` (${item.percent})` : "")));
    chart.append(group);
  });
  return chart;
}

function panelBody(panel) {
  const body = el("div", "body");
  body.style.background = panel.chartAreaColour;
  body.style.color = panel.bodyColour;
  if (panel.kind === "table") body.append(figuresTable(panel.rows, panel.rows.some((row) => row.percent)));
  else if (panel.kind === "histogram") body.append(histogram(panel.chart, panel.bodyColour));
  else if (panel.kind === "pie") body.append(pie(panel.chart, panel.bodyColour));
  else if (panel.kind === "lines") {
    const lines = el("div", "lines");
    for (const line of panel.lines) lines.append(el("div", "line", line));
    body.append(lines);
  } else if (panel.kind === "legend") {
    const legend = el("ul", "legend");
    for (const label of panel.legend) legend.append(el("li", "", label));
    body.append(legend);
  }
  return body;
}

function renderHall(view) {
  const screen = state.screen || { background: "#0000ff", text: "#ffffff" };
  document.body.style.background = screen.background;
  document.body.style.color = screen.text;
  if (state.surface === "panel" && state.panel) {
    const panel = state.panel;
    view.style.background = panel.windowColour;
    const heading = el("div", "heading", panel.heading);
    const topLine = el("div", "topline", panel.topLine);
    heading.style.color = topLine.style.color = panel.headingColour;
    view.append(heading, topLine, panelBody(panel));
  } else if (state.surface === "grid" && state.grid) {
    const grid = state.grid;
    view.style.background = grid.background;
    view.style.color = grid.text;
    const names = el("div", "names");
    names.style.gridTemplateColumns = `repeat(${Math.max(1, grid.columns)}, 1fr)`;
    for (const name of grid.names) names.append(el("div", "name", name));
    view.append(el("div", "gridtitle", grid.title), names);
  } else {
    view.style.background = screen.background;
    view.append(el("div", "text", state.text || ""));
  }
  if (state.training) document.body.append(el("div", "note", state.training));
}

function section(title, content) {
  const node = el("section");
  node.append(el("h2", "", title));
  if (content) node.append(content);
  else node.append(el("div", "empty", text("nothing", "—")));
  return node;
}

function figuresOf(panel) {
  if (!panel || !panel.rows || panel.rows.length === 0) return null;
  const box = el("div");
  if (panel.heading) box.append(el("div", "big", panel.heading));
  if (panel.topLine) box.append(el("div", "", panel.topLine));
  box.append(figuresTable(panel.rows, panel.rows.some((row) => row.percent)));
  for (const line of panel.lines || []) if (line) box.append(el("div", "line", line));
  return box;
}

function renderChair(view) {
  const panel = state.panel || {};
  if (state.training) view.append(el("div", "training", state.training));
  view.append(section(text("attendance", "Attendance and quorum"), figuresOf(state.attendance)));
  const voting = state.surface === "panel" && panel.subKind >= 1 && panel.subKind <= 6;
  view.append(section(text("vote", "Vote in progress"), voting ? figuresOf(panel) : null));
  view.append(section(text("speaking", "Speaking"), memory.speaker ? el("div", "big", memory.speaker) : null));
  let microphones = null;
  if (state.microphones && state.microphones.length > 0) {
    microphones = el("ul", "microphones");
    for (const speaker of state.microphones) microphones.append(el("li", "microphone", speaker));
  }
  view.append(section(text("microphones", "Open microphones"), microphones));
  view.append(section(text("lastResult", "Last result"), figuresOf(state.lastResult)));
}

function renderOverlay(view) {
  const panel = state.panel || {};
  const bar = el("div", "bar");
  if (state.surface === "panel" && panel.rows && panel.rows.length > 0) {
    const title = panel.heading || panel.topLine;
    if (title) bar.append(el("span", "title", title));
    for (const row of panel.rows) {
      const figure = markFigure(el("span", "figure", row.label), row);
      figure.append(el("b", "", row.value));
      bar.append(figure);
    }
  } else if (memory.speaker && state.surface === "panel" && panel.kind === "lines") {
    bar.append(el("span", "title", memory.speaker));
  }
  view.append(bar);
}

function render() {
  const panel = state.panel;
  if (panel && panel.kind === "lines" && panel.subKind === 0 && !panel.heading) memory.speaker = panel.lines[0];
  const old = document.getElementById("view");
  const view = el("main");
  view.id = "view";
  for (const note of document.querySelectorAll("body > .note")) note.remove();
  if (page === "hall") renderHall(view);
  else if (page === "chair") renderChair(view);
  else renderOverlay(view);
  old.replaceWith(view);
}

function connect() {
  const status = document.getElementById("status");
  const socket = new WebSocket(`ws://${location.host}/live?code=${encodeURIComponent(code)}`);
  socket.onmessage = (event) => {
    Object.assign(state, JSON.parse(event.data));
    status.textContent = "";
    render();
  };
  socket.onclose = (event) => {
    if (event.code === 1008) {
      status.textContent = text("refused", "The viewing code is not valid.");
      return;
    }
    status.textContent = text("connecting", "Connecting…");
    setTimeout(connect, 2000);
  };
}

connect();
