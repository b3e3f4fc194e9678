// What differs in the page's window, as it opens at a computer's width, from
// the original (tests/window.json): the window's size and colour, and each
// control's place, size, font size, colours, text and whether it shows.
// Evaluated in the page by the tests of every browser.
(original => {
  const faults = [];
  const same = (seen, expected, what) =>
    JSON.stringify(seen) === JSON.stringify(expected) || faults.push(`${what} is ${JSON.stringify(seen)}, not ${JSON.stringify(expected)}`);
  const form = document.getElementById('Form1'), box = form.getBoundingClientRect();
  same([box.width, box.height, getComputedStyle(form).backgroundColor],
       [original.width, original.height, original.colour], 'Form1');
  for (const control of original.controls) {
    const e = document.getElementById(control.name), r = e.getBoundingClientRect(), style = getComputedStyle(e);
    const shown = e.offsetParent !== null;
    same(shown && [r.x - box.x, r.y - box.y, r.width, r.height], control.shown && control.rect, `${control.name}'s place`);
    same([parseFloat(style.fontSize), shown, e.tagName == 'INPUT' ? e.value : e.textContent],
         [control.fontPx, control.shown, control.text], `${control.name}'s font size, showing and text`);
    for (const [key, colour] of [['backgroundColor', control.background], ['color', control.foreground]])
      if (colour) same(style[key], colour, `${control.name}'s ${key}`);
  }
  return faults;
})
