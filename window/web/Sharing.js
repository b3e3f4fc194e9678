// Sending a result, as a link or as a picture (Picture.js), and opening a
// shared one: the link holds the two names in its fragment, which no server
// receives; the page stores nothing.
mergeInto(LibraryManager.library, {
  $Sharing__deps: ['$Picture', '$Form1'],
  $Sharing: {
    names: null,   // the names in the boxes, as the person typed them
    score: 0,

    // The buttons under the pyramid, for the names in the boxes and their
    // score: the result as text and link, and as a picture.
    offer: function(section, score) {
      Sharing.names = [document.getElementById('Text1').value, document.getElementById('Text2').value];
      Sharing.score = score;
      var buttons = document.createElement('div');
      buttons.id = 'Sending';
      var button = function(id, words, pressed) {
        var b = document.createElement('button');
        b.type = 'button';
        b.id = id;
        b.textContent = words;
        b.addEventListener('click', pressed);
        buttons.appendChild(b);
      };
      button('Share', '結果を送る', function() {
        Sharing.send(Sharing.text(), Sharing.link(), document.getElementById('ShareStatus'));
      });
      button('SharePicture', Picture.sendWords(), function() {
        Picture.send(Picture.render(Picture.resultWidth(), Picture.layout, 'minukape.png'), Sharing.text(),
                     Sharing.link());
      });
      Picture.prepare();
      var status = document.createElement('p');
      status.id = 'ShareStatus';
      status.setAttribute('role', 'status');
      section.appendChild(buttons);
      section.appendChild(status);
    },

    text: function() {
      return Sharing.names[0] + ' と ' + Sharing.names[1] + ' の相性度は ' + Sharing.score;
    },

    link: function() {
      return location.href.split('#')[0] + '#' + Sharing.names.map(encodeURIComponent).join('&');
    },

    // To the system's share sheet where there is one (phones), else to the
    // clipboard, which status then says.
    send: function(text, url, status) {
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

  form1_open_shared_link__deps: ['$Sharing', '$Form1', 'form1_open_shared'],
  form1_open_shared_link: function() {
    var names = Sharing.sharedNames();
    if (!names)
      return;
    Form1.withText(names[0], function(first, firstLength) {
      Form1.withText(names[1], function(second, secondLength) {
        _form1_open_shared(first, firstLength, second, secondLength);
      });
    });
  },
});
