// The page's pyramid below the window, beyond the original: how the score
// was made, drawn as Form1Page hands it over (Pyramid.cpp decides every row
// and text), with Sharing's buttons under it; what it drew is kept for the
// result's picture (Picture.js) until the names change. Built at the first count's end,
// with its style sheet fetched then, so the window's first paint carries
// none of it.
mergeInto(LibraryManager.library, {
  $Pyramid: {
    section: null,
    rows: null,
    pending: 0,
    drawn: null,   // {widest, rows: [{cells, shift}], note, noteAfter, scoreLine, pairLine, score}

    element: function(tag, attributes, text) {
      var e = document.createElement(tag);
      for (var name in attributes)
        e.setAttribute(name, attributes[name]);
      if (text !== undefined)
        e.textContent = text;
      return e;
    },

    show: function(section) {
      document.body.insertBefore(section, document.getElementById('window').nextSibling);
      var sheet = document.getElementById('PyramidSheet');
      if (!sheet) {
        sheet = Pyramid.element('link', {id: 'PyramidSheet', rel: 'stylesheet', href: 'Pyramid.css'});
        sheet.addEventListener('load', function() {
          sheet.dataset.loaded = 'yes';
          if (Pyramid.section)
            Pyramid.section.hidden = false;
        });
        document.head.appendChild(sheet);
      } else if (sheet.dataset.loaded) {
        section.hidden = false;
      }
    },

    clear: function() {
      clearTimeout(Pyramid.pending);
      if (Pyramid.section)
        Pyramid.section.remove();
      Pyramid.section = Pyramid.rows = Pyramid.drawn = null;
    },
  },

  // Once the chime has rung out, so the score keeps its moment.
  form1_pyramid_after__deps: ['$Pyramid', '$Form1', 'form1_show_pyramid'],
  form1_pyramid_after: function(ms) {
    Pyramid.clear();
    Pyramid.pending = setTimeout(function() { Form1.raise(_form1_show_pyramid); }, ms);
  },

  form1_pyramid_begin__deps: ['$Pyramid'],
  form1_pyramid_begin: function(widest) {
    Pyramid.clear();
    var e = Pyramid.element;
    Pyramid.section = e('section', {id: 'Pyramid', 'aria-labelledby': 'PyramidHeading', hidden: ''});
    Pyramid.section.appendChild(e('h2', {id: 'PyramidHeading'}, '相性度の出し方'));
    Pyramid.rows = e('ol', {id: 'PyramidRows'});
    Pyramid.rows.style.setProperty('--n', widest);
    Pyramid.section.appendChild(Pyramid.rows);
    Pyramid.drawn = {widest: widest, rows: [], note: '', noteAfter: 0, scoreLine: '', pairLine: ''};
  },

  // Said as a row by a screen reader, drawn as cells: one per character.
  form1_pyramid_row__deps: ['$Pyramid'],
  form1_pyramid_row: function(label, labelLength, cells, cellsLength, shift) {
    var characters = UTF16ToString(cells, cellsLength * 2).split('');
    var li = Pyramid.element('li');
    li.appendChild(Pyramid.element('span', {'class': 'sr-only'},
                                   UTF16ToString(label, labelLength * 2) + ' ' + characters.join(' ')));
    var row = Pyramid.element('span', {'class': 'cells', 'aria-hidden': 'true'});
    row.style.setProperty('--shift', shift);
    characters.forEach(function(c) { row.appendChild(Pyramid.element('span', {}, c)); });
    li.appendChild(row);
    Pyramid.rows.appendChild(li);
    Pyramid.drawn.rows.push({cells: characters, shift: shift});
  },

  form1_pyramid_note__deps: ['$Pyramid'],
  form1_pyramid_note: function(text, length) {
    Pyramid.drawn.note = UTF16ToString(text, length * 2);
    Pyramid.drawn.noteAfter = Pyramid.drawn.rows.length;
    Pyramid.rows.appendChild(Pyramid.element('li', {id: 'PyramidLeftOut'}, Pyramid.drawn.note));
  },

  form1_pyramid_show__deps: ['$Pyramid', '$Sharing', '$Group'],
  form1_pyramid_show: function(scoreLine, length, score, pairLine, pairLength) {
    Pyramid.drawn.scoreLine = UTF16ToString(scoreLine, length * 2);
    Pyramid.drawn.pairLine = UTF16ToString(pairLine, pairLength * 2);
    Pyramid.drawn.score = score;
    Pyramid.section.appendChild(Pyramid.element('p', {id: 'PyramidScore'}, Pyramid.drawn.scoreLine));
    Sharing.offer(Pyramid.section, score);
    Group.offerWayBack(Pyramid.section);
    Pyramid.show(Pyramid.section);
  },

  form1_clear_pyramid__deps: ['$Pyramid'],
  form1_clear_pyramid: function() {
    Pyramid.clear();
  },
});
