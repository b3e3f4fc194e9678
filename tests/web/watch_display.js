// From now on, every text the page writes into Text3 is kept with its time in
// window.shown, the last press of the button in window.pressedAt, and the
// moment how the score was made appears in window.pyramidAt: each on the
// browser's clock, read by observers of the tests', not by the program.
// Evaluated in the page by the tests of every browser and by the benchmark.
(() => {
  const box = document.getElementById('Text3');
  const own = Object.getOwnPropertyDescriptor(HTMLInputElement.prototype, 'value');
  window.shown = [];
  Object.defineProperty(box, 'value', {
    configurable: true,
    get() { return own.get.call(this); },
    set(text) { window.shown.push([performance.now(), text]); own.set.call(this, text); },
  });
  window.pressedAt = null;
  document.getElementById('Command1').addEventListener('click', () => window.pressedAt = performance.now(),
                                                       {capture: true});
  window.pyramidAt = null;
  new MutationObserver(() => pyramidAt = pyramidAt || document.getElementById('Pyramid') && performance.now())
    .observe(document.body, {childList: true});
})()
