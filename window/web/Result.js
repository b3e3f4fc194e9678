// The page's own additions below the window, beyond the original: how the
// score was made (the fold, drawn as the pyramid children write on paper),
// and the result to send by link. Built at the first count's end, with its
// style sheet fetched then, so the window's first paint carries none of it.
// The link holds the two names in its fragment, which no server receives;
// the page stores nothing.
mergeInto(LibraryManager.library, {
  $Form1Result: {
    section: null,
    pending: 0,
    names: null,   // the names in the boxes, as the person typed them
    score: 0,
    // The score comes with its chime; how it was made follows once the chime
    // has rung out, so the score keeps its moment.
    afterChimeMs: 1000,

    element: function(tag, attributes, text) {
      var e = document.createElement(tag);
      for (var name in attributes)
        e.setAttribute(name, attributes[name]);
      if (text !== undefined)
        e.textContent = text;
      return e;
    },

    // Said as a row by a screen reader, drawn as cells: one per character,
    // shifted by half a cell for each character the row has less.
    row: function(label, characters, shift) {
      var li = Form1Result.element('li');
      li.appendChild(Form1Result.element('span', {'class': 'sr-only'}, label + ' ' + characters.join(' ')));
      var cells = Form1Result.element('span', {'class': 'cells', 'aria-hidden': 'true'});
      cells.style.setProperty('--shift', shift);
      characters.forEach(function(c) { cells.appendChild(Form1Result.element('span', {}, c)); });
      li.appendChild(cells);
      return li;
    },

    build: function(kana, rows, digitCount, leftOut) {
      var e = Form1Result.element;
      var section = e('section', {id: 'Result', 'aria-labelledby': 'ResultHeading', hidden: ''});
      section.appendChild(e('h2', {id: 'ResultHeading'}, '相性度の出し方'));
      var widest = rows[0].length + (leftOut ? 1 : 0);
      var pyramid = e('ol', {id: 'Pyramid'});
      pyramid.style.setProperty('--n', widest);
      var cut = rows[0].length < digitCount ? ['…'] : [];
      pyramid.appendChild(Form1Result.row('名前', kana.split('').concat(cut), 0));
      pyramid.appendChild(Form1Result.row('1段目', rows[0].split('').concat(cut), 0));
      if (leftOut) {
        pyramid.appendChild(e('li', {id: 'ResultLeftOut'},
                              '名前が長いので、1段目は全' + digitCount.toLocaleString('ja') + '桁のうち初めの'
                              + rows[0].length + '桁だけを示し、途中の' + leftOut.toLocaleString('ja')
                              + '段は省きました。'));
      }
      rows.slice(1).forEach(function(row, i) {
        var step = i + leftOut + 2;
        pyramid.appendChild(Form1Result.row(step.toLocaleString('ja') + '段目', row.split(''), widest - row.length));
      });
      section.appendChild(pyramid);
      var last = rows[rows.length - 1];
      section.appendChild(e('p', {id: 'ResultScore'},
                            '最後の二けた「' + last + '」で、相性度は ' + Form1Result.score
                            + (last === '00' ? '（「00」は100）' : '')));
      var share = e('button', {type: 'button', id: 'Share'}, '結果を送る');
      share.addEventListener('click', Form1Result.share);
      section.appendChild(share);
      section.appendChild(e('p', {id: 'ShareStatus', role: 'status'}));
      return section;
    },

    show: function(section) {
      Form1Result.clear();
      Form1Result.section = section;
      document.body.insertBefore(section, document.getElementById('window').nextSibling);
      var sheet = document.getElementById('ResultSheet');
      if (!sheet) {
        sheet = Form1Result.element('link', {id: 'ResultSheet', rel: 'stylesheet', href: 'Result.css'});
        sheet.addEventListener('load', function() {
          sheet.dataset.loaded = 'yes';
          if (Form1Result.section)
            Form1Result.section.hidden = false;
        });
        document.head.appendChild(sheet);
      } else if (sheet.dataset.loaded) {
        section.hidden = false;
      }
    },

    clear: function() {
      clearTimeout(Form1Result.pending);
      if (Form1Result.section)
        Form1Result.section.remove();
      Form1Result.section = null;
    },

    link: function() {
      return location.href.split('#')[0] + '#' + Form1Result.names.map(encodeURIComponent).join('&');
    },

    // The system's share sheet where there is one (phones), else the clipboard.
    share: function() {
      var text = Form1Result.names[0] + ' と ' + Form1Result.names[1] + ' の相性度は ' + Form1Result.score;
      var url = Form1Result.link();
      var status = document.getElementById('ShareStatus');
      if (navigator.share) {
        navigator.share({title: document.title, text: text, url: url}).catch(function() {});
        return;
      }
      var said = function(words) { status.textContent = words; };
      if (!navigator.clipboard) {
        said('この画面では送れません: ' + url);
        return;
      }
      navigator.clipboard.writeText(text + ' ' + url).then(
          function() { said('結果とリンクをコピーしました。'); },
          function() { said('コピーできませんでした: ' + url); });
    },

    // The two names of a shared result's link, as the link wrote them, or
    // null for any other fragment.
    sharedNames: function() {
      var parts = location.hash.slice(1).split('&');
      if (parts.length !== 2)
        return null;
      try {
        return parts.map(decodeURIComponent);
      } catch (error) {
        return null; // a broken escape
      }
    },
  },

  form1_open_link__deps: ['$Form1Result', 'malloc', 'free', 'form1_open_shared'],
  form1_open_link: function() {
    var names = Form1Result.sharedNames();
    if (!names)
      return;
    var texts = names.map(function(name) {
      var text = _malloc(name.length * 2 + 2);
      for (var i = 0; i < name.length; ++i)
        HEAPU16[(text >> 1) + i] = name.charCodeAt(i);
      return text;
    });
    _form1_open_shared(texts[0], names[0].length, texts[1], names[1].length);
    texts.forEach(function(text) { _free(text); });
  },

  form1_show_result__deps: ['$Form1Result', '$Form1'],
  form1_show_result: function(kana, kanaLength, rows, rowsLength, digitCount, leftOut, score) {
    Form1Result.names = [Form1.boxes[0].value, Form1.boxes[1].value];
    Form1Result.score = score;
    var lines = UTF8ToString(rows, rowsLength).split('\n');
    lines.pop();
    Form1Result.show(Form1Result.build(Form1.string(kana, kanaLength), lines, digitCount, leftOut));
  },

  form1_after_chime__deps: ['$Form1Result', '$Form1', 'form1_how_scored'],
  form1_after_chime: function() {
    Form1Result.clear();
    Form1Result.pending = setTimeout(function() { Form1.raise(_form1_how_scored); }, Form1Result.afterChimeMs);
  },

  form1_clear_result__deps: ['$Form1Result'],
  form1_clear_result: function() {
    Form1Result.clear();
  },
});
