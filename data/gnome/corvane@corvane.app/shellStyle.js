// The colours of the protocol (#rrggbbaa) as St's style sheets take them, for the preview and the palette.

// St's style sheets read no #rrggbbaa.
export function cssColor(hex) {
    const [r, g, b, a] = [1, 3, 5, 7].map(i => parseInt(hex.slice(i, i + 2), 16));
    return `rgba(${r}, ${g}, ${b}, ${(a / 255).toFixed(3)})`;
}
