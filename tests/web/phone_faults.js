// What is wrong with the page's phone arrangement as it stands, given the
// original window (tests/window.json): one column in reading order, every
// text legible, a finger's boxes and button, the window's colours, the whole
// window on a phone's screen that holds it all. Evaluated in the page by the
// Chromium and Firefox tests alike.
(layout => {
  const faults = [];
  const byId = id => document.getElementById(id);
  const order = ['Label1', 'Label3', 'Label4', 'Text1', 'Text2', 'Command1', 'Text3', 'Label2'];
  const read = [...document.querySelectorAll('#Form1 > *')].filter(e => !e.hidden).map(e => e.id);
  if (read.join() !== order.join()) faults.push(`reads ${read}`);
  const rects = order.map(id => byId(id).getBoundingClientRect());
  rects.forEach((r, i) => {
    if (i && r.top < rects[i - 1].bottom - 0.5) faults.push(`${order[i]} is not below ${order[i - 1]}`);
  });
  const form = byId('Form1'), style = getComputedStyle(form);
  const column = form.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
  const screen = document.documentElement.clientWidth;
  if (Math.abs(form.getBoundingClientRect().width - screen) > 0.5) faults.push(`Form1 is ${form.getBoundingClientRect().width} px, the screen ${screen}`);
  const page = document.documentElement;
  if (page.scrollWidth > screen) faults.push(`scrolls sideways to ${page.scrollWidth}`);
  // The group below the window is scrolled to; the window itself never is.
  const bottom = byId('window').getBoundingClientRect().bottom + scrollY;
  if (bottom > page.clientHeight + 0.5) faults.push(`the window reaches down to ${bottom}, on a screen that holds it all`);
  for (const id of ['Text1', 'Text2', 'Command1', 'Text3'])
    if (Math.abs(byId(id).getBoundingClientRect().width - column) > 0.5) faults.push(`${id} is not the column's width`);
  const px = e => parseFloat(getComputedStyle(e).fontSize);
  for (const id of ['Text1', 'Text2', 'Command1']) {
    if (byId(id).getBoundingClientRect().height < 48) faults.push(`${id} is under 48 px tall`);
    if (id !== 'Command1' && px(byId(id)) < 16) faults.push(`${id}'s text is under 16 px`);
  }
  if (px(byId('Text3')) < 48) faults.push(`the display's text is ${px(byId('Text3'))} px`);
  const texts = [...document.querySelectorAll('#window *')].filter(e => e.offsetParent !== null
      && (e.tagName === 'INPUT' || [...e.childNodes].some(n => n.nodeType === 3 && n.data.trim())));
  for (const e of texts)
    if (px(e) < 12) faults.push(`${e.id || e.tagName} has ${px(e)} px text`);
  if (!byId('Text4').hidden || byId('Text4').offsetParent !== null) faults.push('Text4 is shown');
  // The table's colours, kept (its texts are the same elements' as the window's).
  for (const [e, key, colour] of [[form, 'backgroundColor', layout.colour]].concat(layout.controls.filter(c => c.shown)
      .flatMap(c => [[byId(c.name), 'backgroundColor', c.background], [byId(c.name), 'color', c.foreground]])))
    if (colour && getComputedStyle(e)[key] !== colour) faults.push(`${e.id}'s ${key} is ${getComputedStyle(e)[key]}`);
  return faults;
})
