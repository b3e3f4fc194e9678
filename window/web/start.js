// Starts the page once its window is painted: the page's own Mincho face
// (the class "mincho" asks for it) and the window's script and WebAssembly
// are fetched from then on, so the first paint waits for none of them.
requestAnimationFrame(function() {
  setTimeout(function() {
    document.documentElement.classList.add('mincho');
    var script = document.createElement('script');
    script.src = 'minukape.js';
    document.head.appendChild(script);
  });
});
