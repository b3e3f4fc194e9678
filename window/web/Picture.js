// The result as a picture to send or save: the two names, the score, and
// the pyramid as Pyramid.js drew it (cut the same way for a long pair); or
// the group's names and best pairs as Group.js drew them. In the window's
// colours, read from the page, and the page's own Mincho face.
// Drawn on a canvas in memory only when asked for, handed over at once, and
// never kept.
mergeInto(LibraryManager.library, {
  $Picture__deps: ['$Pyramid'],
  $Picture: {
    face: '"Minukape Mincho", serif',
    maxWidth: 1080,  // px: what a phone shows whole, and what chat apps keep
    minWidth: 640,   // px: room for the pair's line
    cell: 56,        // px: the largest cell of the pyramid
    pad: 40,

    // Whether the share sheet takes a picture (phones); else it is saved.
    canShareFiles: function() {
      try {
        return !!navigator.canShare && navigator.canShare({files: [new File([], 'x.png', {type: 'image/png'})]});
      } catch (error) {
        return false;
      }
    },

    // The face is the page's own, and is fetched now, so the press draws at once.
    prepare: function() {
      if (document.fonts)
        document.fonts.load('16px ' + Picture.face, Pyramid.drawn.pairLine).catch(function() {});
    },

    colours: function() {
      var style = function(id) { return getComputedStyle(document.getElementById(id)); };
      return {ground: style('Form1').backgroundColor, ink: style('Label1').color,
              display: style('Text3').backgroundColor, digits: style('Text3').color};
    },

    // Japanese breaks between any two characters.
    lines: function(context, text, width) {
      var lines = [''];
      text.split('').forEach(function(c) {
        var last = lines[lines.length - 1];
        if (last && context.measureText(last + c).width > width)
          lines.push(c);
        else
          lines[lines.length - 1] = last + c;
      });
      return lines;
    },

    // Lays the picture out from the top; paints too when paint is true.
    // Returns the height it took.
    // Writes text from the top of a picture down, each call's lines below the
    // last, broken to width; its y is where the next line goes.
    writer: function(context, paint, left, width) {
      var writer = {y: Picture.pad};
      writer.text = function(words, px, x, lineWidth) {
        context.font = px + 'px ' + Picture.face;
        context.textAlign = 'left';
        Picture.lines(context, words, lineWidth || width).forEach(function(line) {
          if (paint)
            context.fillText(line, x === undefined ? left : x, writer.y + px);
          writer.y += Math.round(px * 1.5);
        });
      };
      return writer;
    },

    // A score as the display shows it, in a box: px its digits' size, drop
    // their baseline below the box's middle.
    score: function(context, colours, score, box, px, drop) {
      context.fillStyle = colours.display;
      context.fillRect(box.x, box.y, box.w, box.h);
      context.fillStyle = colours.digits;
      context.font = px + 'px ' + Picture.face;
      context.textAlign = 'center';
      context.fillText(String(score), box.x + box.w / 2, box.y + box.h / 2 + drop);
      context.fillStyle = colours.ink;
    },

    layout: function(context, colours, width, paint) {
      var drawn = Pyramid.drawn, pad = Picture.pad, inner = width - 2 * pad;
      var cell = Math.min(Picture.cell, Math.floor(inner / drawn.widest));
      var writer = Picture.writer(context, paint, pad, inner), text = writer.text;
      text(document.title, 44);
      text(drawn.pairLine, 28);
      var box = {x: (width - 260) / 2, y: writer.y + 8, w: 260, h: 130};
      if (paint)
        Picture.score(context, colours, drawn.score, box, 96, 34);
      writer.y += box.h + 32;
      text(document.getElementById('PyramidHeading').textContent, 28);
      var left = (width - drawn.widest * cell) / 2;
      drawn.rows.forEach(function(row, i) {
        if (drawn.note && i === drawn.noteAfter)
          text(drawn.note, 20);
        var last = i === drawn.rows.length - 1, y = writer.y;
        context.font = Math.round(cell * 0.62) + 'px ' + Picture.face;
        context.textAlign = 'center';
        row.cells.forEach(function(c, k) {
          var x = left + (row.shift / 2 + k) * cell;
          if (paint && last) {
            context.fillStyle = colours.display;
            context.fillRect(x, y, cell, Math.round(cell * 1.2));
            context.fillStyle = colours.digits;
          }
          if (paint)
            context.fillText(c, x + cell / 2, y + cell * 0.85);
        });
        context.fillStyle = colours.ink;
        writer.y += Math.round(cell * 1.2);
      });
      writer.y += 16;
      text(drawn.scoreLine, 24);
      return writer.y + pad;
    },

    // The result's width: its pyramid's cells whole, within the picture's bounds.
    resultWidth: function() {
      return Math.min(Picture.maxWidth, Math.max(Picture.minWidth, Pyramid.drawn.widest * Picture.cell + 2 * Picture.pad));
    },

    // A picture as a PNG file, made now: no wait, so the share sheet still
    // counts the person's press. layout lays it out, as Picture.layout does.
    render: function(width, layout, name) {
      var canvas = document.createElement('canvas');
      var context = canvas.getContext('2d');
      var colours = Picture.colours();
      canvas.width = width;
      canvas.height = layout(context, colours, width, false);
      context.fillStyle = colours.ground;
      context.fillRect(0, 0, canvas.width, canvas.height);
      context.fillStyle = colours.ink;
      layout(context, colours, width, true);
      var bytes = atob(canvas.toDataURL('image/png').split(',')[1]);
      var data = new Uint8Array(bytes.length);
      for (var i = 0; i < bytes.length; ++i)
        data[i] = bytes.charCodeAt(i);
      return new File([data], name, {type: 'image/png'});
    },

    // What the picture's button says: where it goes.
    sendWords: function() {
      return Picture.canShareFiles() ? '画像で送る' : '画像を保存';
    },

    // To the share sheet with the text and the link, else offered as a download.
    send: function(file, text, url) {
      if (Picture.canShareFiles()) {
        navigator.share({files: [file], title: document.title, text: text, url: url}).catch(function() {});
        return;
      }
      var link = document.createElement('a');
      link.href = URL.createObjectURL(file);
      link.download = file.name;
      link.click();
      setTimeout(function() { URL.revokeObjectURL(link.href); }, 1000);
    },
  },
});
