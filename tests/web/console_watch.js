// Keeps every error, warning, exception and rejected promise of the page in
// window.faults, from before the page's first script: WebKit's WebDriver
// keeps no console of its own. Put first in the page by the WebKit test.
window.faults = [];
addEventListener('error', e => faults.push('exception: ' + e.message));
addEventListener('unhandledrejection', e => faults.push('rejected: ' + e.reason));
for (const level of ['error', 'warn']) {
  const own = console[level];
  console[level] = (...words) => { faults.push(level + ': ' + words.join(' ')); own.apply(console, words); };
}
