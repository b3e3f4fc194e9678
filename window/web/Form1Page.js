// The page's side of Form1Page: the window's elements by the handlers' box
// numbers, the page's events raised into the WebAssembly's entry points
// (main.cpp), and the operations the handlers use on the elements.
mergeInto(LibraryManager.library, {
  $Form1__deps: ['malloc', 'free'],
  $Form1: {
    boxes: [],       // Text1, Text2, Text3, Text4
    wake: 0,
    refusing: false,
    returningTo: null,

    // Nothing reaches the handlers while the refusal holds one waiting.
    raise: function(entry, argument) {
      if (!Form1.refusing)
        entry(argument);
    },

    // Hands a text to the WebAssembly as UTF-16, for the length of the call (text, length).
    withText: function(text, call) {
      var bytes = text.length * 2 + 2, copy = _malloc(bytes);
      stringToUTF16(text, copy, bytes);
      call(copy, text.length);
      _free(copy);
    },

    // With a phone's keyboard open the page's view is shorter: the name
    // being typed and the button stay in it.
    keepInView: function() {
      var box = document.activeElement;
      if (box !== Form1.boxes[0] && box !== Form1.boxes[1])
        return;
      var view = window.visualViewport || {offsetTop: 0, height: window.innerHeight};
      var top = box.getBoundingClientRect().top - view.offsetTop - 8;
      var below = document.getElementById('Command1').getBoundingClientRect().bottom - view.offsetTop
                  - view.height + 8;
      if (top < 0 || below > 0)
        window.scrollBy(0, top < 0 ? top : Math.min(top, below));
    },

    attachName: function(box, refusal) {
      var element = Form1.boxes[box];
      // Text still being composed in an input method is no change: the
      // check runs once, on what the box holds when it is committed. Some
      // browsers follow the commit with an input event of their own.
      var committed = false;
      element.addEventListener('input', function(event) {
        if (!event.isComposing && !committed)
          Form1.raise(_form1_changed, box);
        committed = false;
      });
      element.addEventListener('compositionend', function() {
        committed = true;
        setTimeout(function() { committed = false; });
        Form1.raise(_form1_changed, box);
      });
      // The press that focuses a box would place the caret and so undo the
      // selection its focus handler makes: focusing the box is its work.
      element.addEventListener('mousedown', function(event) {
        if (document.activeElement !== element) {
          event.preventDefault();
          element.focus();
        }
      });
      // The focus coming back with the page, or after the refusal, is no
      // entry: selecting then would select away what was typed.
      element.addEventListener('blur', function() {
        if (!document.hasFocus() || refusal.open)
          Form1.returningTo = element;
      });
    },
  },

  form1_attach__deps: ['$Form1', 'form1_changed', 'form1_focused', 'form1_clicked', 'form1_tick', 'form1_gesture',
                       'form1_open_shared_link'],
  // Connected in a task of its own, after the one that starts the
  // WebAssembly: each is short, so neither holds up a first tap.
  form1_attach: function() {
    setTimeout(function() {
      Form1.boxes = ['Text1', 'Text2', 'Text3', 'Text4'].map(function(id) { return document.getElementById(id); });
      var refusal = document.getElementById('Refusal');
      Form1.attachName(0, refusal);
      Form1.attachName(1, refusal);
      document.addEventListener('focusin', function(event) {
        if (refusal.contains(event.target))
          return;
        var back = event.target === Form1.returningTo;
        Form1.returningTo = null;
        var box = Form1.boxes.indexOf(event.target);
        if ((box === 0 || box === 1) && !back)
          Form1.raise(_form1_focused, box);
      });
      document.getElementById('Command1').addEventListener('click', function() { Form1.raise(_form1_clicked); });
      // A page in the background wakes seldom; back in view, it shows where the count stands.
      document.addEventListener('visibilitychange', function() {
        if (!document.hidden)
          Form1.raise(_form1_tick);
      });
      var ok = document.getElementById('RefusalOK');
      ok.addEventListener('click', function() { refusal.close(); });
      // A press on the message, or beside it, leaves OK the focus: Enter still dismisses it.
      refusal.addEventListener('mousedown', function(event) {
        if (event.target !== ok)
          event.preventDefault();
      });
      // From a person's first press or key the page may make sound: the cues,
      // fetched as the page started, are decoded then, so a first press on the
      // button has only its own cue's decoding to wait for. A finger's press
      // counts only once it is lifted, a mouse's from the moment it goes down:
      // 'pointerup' comes after both.
      var gesture = function() {
        document.removeEventListener('pointerup', gesture, true);
        document.removeEventListener('keydown', gesture, true);
        Form1.raise(_form1_gesture);
      };
      document.addEventListener('pointerup', gesture, true);
      document.addEventListener('keydown', gesture, true);
      (window.visualViewport || window).addEventListener('resize', Form1.keepInView);
      // A shared result's names, before the first box is entered and selected.
      _form1_open_shared_link();
      window.addEventListener('hashchange', function() { Form1.raise(_form1_open_shared_link); });
    });
  },

  form1_start__deps: ['$Form1'],
  // Last, in a task of its own once the window and the group are connected:
  // entering the first box lays the page out again, which the connecting
  // tasks are kept short of. The view stays where a group's link put it.
  form1_start: function() {
    setTimeout(function() {
      if (!document.activeElement || document.activeElement === document.body)
        Form1.boxes[0].focus({preventScroll: true});
      // Its own files kept for play offline, fetched once the page has loaded;
      // without it the page plays online.
      if ('serviceWorker' in navigator && window.isSecureContext) {
        var register = function() { navigator.serviceWorker.register('offline-worker.js').catch(function() {}); };
        document.readyState === 'complete' ? register() : window.addEventListener('load', register);
      }
      performance.mark('minukape-ready');
    });
  },

  form1_text_length__deps: ['$Form1'],
  form1_text_length: function(box) {
    return Form1.boxes[box].value.length;
  },

  // Into room for the text and its terminating zero.
  form1_text__deps: ['$Form1'],
  form1_text: function(box, out) {
    var value = Form1.boxes[box].value;
    stringToUTF16(value, out, value.length * 2 + 2);
  },

  form1_set_text__deps: ['$Form1'],
  form1_set_text: function(box, text, length) {
    Form1.boxes[box].value = UTF16ToString(text, length * 2);
  },

  form1_set_selection__deps: ['$Form1'],
  form1_set_selection: function(box, start, length) {
    Form1.boxes[box].setSelectionRange(start, start + length);
  },

  form1_focus__deps: ['$Form1'],
  form1_focus: function(box) {
    if (document.activeElement !== Form1.boxes[box])
      Form1.boxes[box].focus();
  },

  form1_set_command1_enabled: function(enabled) {
    document.getElementById('Command1').disabled = !enabled;
  },

  form1_now_ms: function() {
    return performance.now();
  },

  form1_wake_after__deps: ['$Form1', 'form1_tick'],
  form1_wake_after: function(ms) {
    clearTimeout(Form1.wake);
    Form1.wake = setTimeout(function() { Form1.raise(_form1_tick); }, ms);
  },

  form1_stop_waking__deps: ['$Form1'],
  form1_stop_waking: function() {
    clearTimeout(Form1.wake);
    Form1.wake = 0;
  },

  // The modal message: the handler that shows it goes on once it is
  // dismissed (OK, Enter, Space or Escape), its stack kept by Asyncify.
  form1_refusal__deps: ['$Form1', '$Asyncify'],
  form1_refusal: function(text, length) {
    return Asyncify.handleSleep(function(wakeUp) {
      var refusal = document.getElementById('Refusal');
      document.getElementById('RefusalText').textContent = UTF16ToString(text, length * 2);
      Form1.refusing = true;
      refusal.addEventListener('close', function() {
        Form1.refusing = false;
        wakeUp();
      }, {once: true});
      refusal.showModal();
    });
  },

  // Said once by a screen reader: emptied first, so the same words are said again.
  form1_say: function(text, length) {
    var spoken = document.getElementById('Spoken');
    var words = UTF16ToString(text, length * 2);
    spoken.textContent = '';
    setTimeout(function() { spoken.textContent = words; }, 50);
  },
});
