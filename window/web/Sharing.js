// Sending a result, and opening a shared one: the link holds the two names
// in its fragment, which no server receives; the page stores nothing.
mergeInto(LibraryManager.library, {
  $Sharing: {
    names: null,   // the names in the boxes, as the person typed them
    score: 0,

    // The button under the pyramid, for the names in the boxes and their score.
    offer: function(section, score) {
      Sharing.names = [document.getElementById('Text1').value, document.getElementById('Text2').value];
      Sharing.score = score;
      var share = document.createElement('button');
      share.type = 'button';
      share.id = 'Share';
      share.textContent = '結果を送る';
      share.addEventListener('click', Sharing.share);
      var status = document.createElement('p');
      status.id = 'ShareStatus';
      status.setAttribute('role', 'status');
      section.appendChild(share);
      section.appendChild(status);
    },

    link: function() {
      return location.href.split('#')[0] + '#' + Sharing.names.map(encodeURIComponent).join('&');
    },

    // The system's share sheet where there is one (phones), else the clipboard.
    share: function() {
      var text = Sharing.names[0] + ' と ' + Sharing.names[1] + ' の相性度は ' + Sharing.score;
      var url = Sharing.link();
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

  form1_open_shared_link__deps: ['$Sharing', 'malloc', 'free', 'form1_open_shared'],
  form1_open_shared_link: function() {
    var names = Sharing.sharedNames();
    if (!names)
      return;
    var texts = names.map(function(name) {
      var bytes = name.length * 2 + 2;
      var text = _malloc(bytes);
      stringToUTF16(name, text, bytes);
      return text;
    });
    _form1_open_shared(texts[0], names[0].length, texts[1], names[1].length);
    texts.forEach(function(text) { _free(text); });
  },
});
