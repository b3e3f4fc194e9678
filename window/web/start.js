// Starts the page once its window is on screen: the page's own Mincho face
// (added to the page's fonts once loaded, so the text is laid out again
// once and nothing is restyled), the window's script and WebAssembly, and
// the app's manifest, which a browser fetches with its icon as soon as it is
// linked, are fetched from then on, so the first paint waits for none of them. The
// browser's first contentful paint entry tells when that is (a frame's
// callbacks run well before its paint reaches the screen); a browser that
// gives none starts the page after its first frame.
// make_page writes it into index.html.
(function() {
  var started = false;
  function start() {
    if (started)
      return;
    started = true;
    // Each in a short task of its own, so that none holds up a first tap.
    if (window.FontFace && document.fonts) {
      new FontFace('Minukape Mincho', 'url(mincho.woff2)').load().then(function(face) {
        document.fonts.add(face);
      }, function() {});
    }
    setTimeout(function() {
      var script = document.createElement('script');
      script.src = 'minukape.js';
      document.head.appendChild(script);
    });
    setTimeout(function() {
      var manifest = document.createElement('link');
      manifest.rel = 'manifest';
      manifest.href = 'manifest.webmanifest';
      document.head.appendChild(manifest);
    });
  }
  var types = window.PerformanceObserver && PerformanceObserver.supportedEntryTypes;
  if (types && types.indexOf('paint') >= 0) {
    new PerformanceObserver(function(list) {
      // The first paint may be the ground alone; the window's text comes with the first contentful one.
      if (list.getEntriesByName('first-contentful-paint').length)
        setTimeout(start);
    }).observe({type: 'paint', buffered: true});
    // A page opened out of sight paints once it is shown; one that never reports its paint starts anyway.
    setTimeout(start, 10000);
  } else {
    requestAnimationFrame(function() { setTimeout(start); });
  }
})();
