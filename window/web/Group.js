// The group's section below the window, beyond the original: its field and
// list of names, and every pair as GroupPage hands it over (Group.cpp decides
// each name, score, order and rank), drawn as a ranking and as a table. A
// pair chosen in either is played in the window, with a way back here once
// its pyramid is shown. Sent as a link whose fragment alone holds the names,
// or as a picture (Picture.js); nothing is kept.
mergeInto(LibraryManager.library, {
  $Group__deps: ['$Form1', '$Pyramid', '$Sharing', '$Picture'],
  $Group: {
    link: '#group&',   // a group's link: its fragment, then the names
    names: [],
    pairs: [],         // [first, second, score, rank], best first
    played: null,      // {first, second, from}: the pair last played from here
    firstPairs: 30,    // the ranking's pairs drawn before the rest is asked for
    everyPair: false,  // the rest asked for
    tableDrawn: false,
    tableInView: false,
    pictured: 10,      // the best pairs a picture shows

    byId: function(id) {
      return document.getElementById(id);
    },

    // A pair's button: its rank, its two names and its score, which a screen reader says in that order.
    pairButton: function(pair) {
      var e = Pyramid.element, button = e('button', {type: 'button', 'data-first': pair[0], 'data-second': pair[1]});
      button.appendChild(e('span', {'class': 'rank'}, pair[3] + '位'));
      button.appendChild(document.createTextNode(' '));
      var names = button.appendChild(e('span', {'class': 'pair'}));
      names.appendChild(e('span', {}, Group.names[pair[0]]));
      names.appendChild(document.createTextNode(' と '));
      names.appendChild(e('span', {}, Group.names[pair[1]]));
      button.appendChild(document.createTextNode(' '));
      button.appendChild(e('span', {'class': 'score'}, String(pair[2])));
      return button;
    },

    drawNames: function() {
      var list = Group.byId('GroupNames'), e = Pyramid.element;
      list.textContent = '';
      Group.names.forEach(function(name, i) {
        var li = e('li');
        li.appendChild(e('span', {}, name));
        li.appendChild(e('button', {type: 'button', 'data-index': i, 'aria-label': '「' + name + '」を外す'}, '外す'));
        list.appendChild(li);
      });
    },

    // The best pairs, and the rest once asked for: a group of 40 has 780.
    drawRanking: function() {
      var list = document.createDocumentFragment(), more = Group.byId('GroupMore');
      var shown = Group.everyPair ? Group.pairs.length : Math.min(Group.pairs.length, Group.firstPairs);
      more.hidden = shown === Group.pairs.length;
      more.textContent = '残りの' + (Group.pairs.length - shown) + '組も見る';
      Group.pairs.slice(0, shown).forEach(function(pair) {
        var li = document.createElement('li');
        li.appendChild(Group.pairButton(pair));
        list.appendChild(li);
      });
      var ranking = Group.byId('GroupRanking');
      ranking.textContent = '';
      ranking.appendChild(list);
    },

    // Every name against every other: a pair's score both ways, as it is the same
    // either way; the best pairs in the display's colours.
    drawTable: function() {
      var e = Pyramid.element, n = Group.names.length, scores = [];
      var best = Group.pairs.length ? Group.pairs[0][2] : -1;
      Group.pairs.forEach(function(pair) {
        scores[pair[0] * n + pair[1]] = scores[pair[1] * n + pair[0]] = pair[2];
      });
      var table = document.createDocumentFragment(), head = e('tr');
      head.appendChild(e('td'));
      Group.names.forEach(function(name) {
        var th = e('th', {scope: 'col'});
        th.appendChild(e('div', {}, name));
        head.appendChild(th);
      });
      table.appendChild(e('thead')).appendChild(head);
      var body = table.appendChild(e('tbody'));
      Group.names.forEach(function(name, i) {
        var row = body.appendChild(e('tr')), th = row.appendChild(e('th', {scope: 'row'}));
        th.appendChild(e('div', {}, name));
        for (var j = 0; j < n; ++j) {
          var score = scores[i * n + j];
          var td = row.appendChild(score === undefined ? e('td', {}, '－')
              : e('td', {'data-first': Math.min(i, j), 'data-second': Math.max(i, j)}, String(score)));
          if (score === best)
            td.className = 'best';
        }
      });
      var view = Group.byId('GroupTable');
      view.replaceChildren(view.querySelector('caption'), table);
      Group.tableDrawn = true;
    },

    // Drawn when it comes into view, or at once while it is: a table of 40 names has 1,600 cells.
    watchTable: function() {
      var view = Group.byId('GroupTableView');
      new IntersectionObserver(function(entries) {
        Group.tableInView = entries[entries.length - 1].isIntersecting;
        if (Group.tableInView && !Group.tableDrawn)
          Group.drawTable();
      }, {rootMargin: '200px'}).observe(view);
    },

    // Played in the window, as if typed there; the window is brought into view for its count.
    play: function(target) {
      var cell = target.closest('[data-second]');
      if (!cell)
        return;
      var first = +cell.dataset.first, second = +cell.dataset.second;
      Group.played = {first: Group.names[first], second: Group.names[second], from: cell};
      Form1.raise(function() { _group_play(first, second); });
      Group.byId('window').scrollIntoView({block: 'start'});
    },

    // Under the pyramid of a pair played from here, while the window still shows it.
    offerWayBack: function(section) {
      var played = Group.played;
      if (!played || Form1.boxes[0].value !== played.first || Form1.boxes[1].value !== played.second)
        return;
      var back = Pyramid.element('button', {type: 'button', id: 'GroupBack'}, 'みんなの相性に戻る');
      back.addEventListener('click', function() {
        var to = document.contains(played.from) ? played.from : Group.byId('GroupHeading');
        to.scrollIntoView({block: 'center'});
        to.focus();
      });
      section.querySelector('#Sending').appendChild(back);
    },

    // The group's picture: its names, then its best pairs with their scores as the display shows them.
    picture: function(context, colours, width, paint) {
      var pad = Picture.pad, inner = width - 2 * pad, row = 76, box = {w: 140, h: 60};
      var writer = Picture.writer(context, paint, pad, inner), text = writer.text;
      text(document.title, 44);
      text(Group.byId('GroupHeading').textContent + '（' + Group.names.length + '人）', 32);
      text(Group.names.join('・'), 24);
      writer.y += 16;
      Group.pairs.slice(0, Group.pictured).forEach(function(pair) {
        var top = writer.y;
        text(pair[3] + '位', 32);
        writer.y = top;
        text(Group.names[pair[0]] + ' と ' + Group.names[pair[1]], 32, pad + 100, inner - 100 - box.w - 24);
        if (paint)
          Picture.score(context, colours, pair[2], {x: width - pad - box.w, y: top - 10, w: box.w, h: box.h}, 44, 16);
        writer.y = Math.max(writer.y, top + row);
      });
      return writer.y + pad;
    },

    text: function() {
      var top = Group.pairs.slice(0, 3).map(function(pair) {
        return pair[3] + '位 ' + Group.names[pair[0]] + ' と ' + Group.names[pair[1]] + ' ' + pair[2];
      });
      return 'みんなの相性（' + Group.names.length + '人）: ' + top.join('、');
    },

    url: function() {
      return location.href.split('#')[0] + Group.link + Group.names.map(encodeURIComponent).join('&');
    },

    // The names of a group's link, as it wrote them (a broken escape as it
    // stands, for the check to refuse), or null for any other fragment.
    linkNames: function() {
      if (location.hash.indexOf(Group.link) !== 0)
        return null;
      return location.hash.slice(Group.link.length).split('&').map(function(name) {
        try {
          return decodeURIComponent(name);
        } catch (error) {
          return name;
        }
      });
    },

    open: function() {
      var names = Group.linkNames();
      if (!names)
        return;
      _group_open_begin();
      names.forEach(function(name) { Form1.withText(name, _group_open_name); });
      _group_open_end();
      Group.byId('Group').scrollIntoView({block: 'start'});
    },
  },

  form1_group_attach__deps: ['$Group', 'group_add', 'group_remove', 'group_open_begin', 'group_open_name',
                             'group_open_end', 'group_play'],
  // Connected in a task of its own, after the window's (Form1Page.js), so
  // that one stays short.
  form1_group_attach: function() {
    setTimeout(function() {
      var field = Group.byId('GroupName');
      // A refused name stays in the field, selected, so the next key replaces it.
      var add = function() {
        Form1.raise(function() { Form1.withText(field.value, _group_add); });
        if (field.value)
          field.select();
      };
      Group.byId('GroupAdd').addEventListener('click', add);
      // Enter adds, unless it commits text an input method is composing.
      field.addEventListener('keydown', function(event) {
        if (event.key === 'Enter' && !event.isComposing && event.keyCode !== 229)
          add();
      });
      Group.byId('GroupNames').addEventListener('click', function(event) {
        var button = event.target.closest('button');
        if (!button)
          return;
        var index = +button.dataset.index;
        Form1.raise(function() { _group_remove(index); });
        // The focus goes on to the name that took its place, else back to the field.
        var left = Group.byId('GroupNames').querySelectorAll('button');
        (left[Math.min(index, left.length - 1)] || field).focus();
      });
      Group.byId('GroupRanking').addEventListener('click', function(event) { Group.play(event.target); });
      Group.byId('GroupMore').addEventListener('click', function() {
        var next = Group.firstPairs;
        Group.everyPair = true;
        Group.drawRanking();
        Group.byId('GroupRanking').querySelectorAll('button')[next].focus();
      });
      Group.watchTable();
      Group.byId('GroupTable').addEventListener('click', function(event) { Group.play(event.target); });
      Group.byId('GroupShare').addEventListener('click', function() {
        Sharing.send(Group.text(), Group.url(), Group.byId('GroupShareStatus'));
      });
      var picture = Group.byId('GroupPicture');
      picture.textContent = Picture.sendWords();
      picture.addEventListener('click', function() {
        Picture.send(Picture.render(Picture.maxWidth, Group.picture, 'minukape-group.png'), Group.text(), Group.url());
      });
      Group.open();
      window.addEventListener('hashchange', function() { Form1.raise(Group.open); });
    });
  },

  form1_group_begin__deps: ['$Group'],
  form1_group_begin: function() {
    Group.names = [];
    Group.pairs = [];
  },

  form1_group_name__deps: ['$Group'],
  form1_group_name: function(name, length) {
    Group.names.push(UTF16ToString(name, length * 2));
  },

  form1_group_pair__deps: ['$Group'],
  form1_group_pair: function(first, second, score, rank) {
    Group.pairs.push([first, second, score, rank]);
  },

  // The field is emptied once its name is added, and keeps the focus.
  form1_group_end__deps: ['$Group'],
  form1_group_end: function(added) {
    if (added)
      Group.byId('GroupName').value = '';
    Group.drawNames();
    var result = Group.byId('GroupResult');
    result.hidden = Group.names.length < 2;
    Group.byId('GroupCount').textContent = Group.names.length + '人・' + Group.pairs.length + '組';
    Group.drawRanking();
    Group.tableDrawn = false;
    if (Group.tableInView)
      Group.drawTable();
  },

  form1_group_say__deps: ['$Group'],
  form1_group_say: function(text, length) {
    Group.byId('GroupSaid').textContent = UTF16ToString(text, length * 2);
  },
});
