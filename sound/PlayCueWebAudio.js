// Plays the cues on a web page with Web Audio. A cue's name is resolved
// against the page's address: the name as it stands, else with ".wav", else
// the page's Default.wav. Each sound is fetched once, as the page starts,
// and decoded once the page may make sound; a new cue cuts off the one
// playing, and one still loading holds nothing up.
mergeInto(LibraryManager.library, {
  $Cues: {
    context: null,
    files: {},    // by address: a promise of its bytes, or of null
    sounds: {},   // by name: a promise of its decoded sound, or of null
    lengths: {},  // by name: the decoded sound's length in ms, once known
    playing: null,
    latest: 0,

    // Made on a person's first press or key, so the browser lets it sound;
    // with the shortest latency the browser offers, so a cue sounds at its step.
    audio: function() {
      if (!Cues.context)
        Cues.context = new AudioContext({latencyHint: 0});
      if (Cues.context.state === 'suspended')
        Cues.context.resume();
      return Cues.context;
    },

    file: function(address) {
      if (!(address in Cues.files)) {
        Cues.files[address] = fetch(address, {credentials: 'same-origin'})
          .then(function(response) { return response.ok ? response.arrayBuffer() : null; })
          .catch(function() { return null; });
      }
      return Cues.files[address];
    },

    // Decoding takes the bytes it is given: each decodes a copy.
    fetched: function(address) {
      return Cues.file(address)
        .then(function(bytes) { return bytes && Cues.context.decodeAudioData(bytes.slice(0)); })
        .catch(function() { return null; });
    },

    // A cue's name as it stands, else with ".wav", else the default: the first
    // that get finds. The default itself stands alone.
    resolved: function(name, get, getDefault) {
      if (name === 'Default.wav')
        return get(name);
      return get(name)
        .then(function(found) { return found || get(name + '.wav'); })
        .then(function(found) { return found || getDefault(); });
    },

    sound: function(name) {
      if (!(name in Cues.sounds)) {
        Cues.sounds[name] = Cues.resolved(name, Cues.fetched, function() { return Cues.sound('Default.wav'); })
          .then(function(sound) {
            Cues.lengths[name] = sound ? sound.duration * 1000 : 0;
            return sound;
          });
      }
      return Cues.sounds[name];
    },
  },

  // The file a cue will be decoded from, with no sound made.
  fetch_cue__deps: ['$Cues'],
  fetch_cue: function(text, length) {
    Cues.resolved(UTF16ToString(text, length * 2), Cues.file, function() { return Cues.file('Default.wav'); });
  },

  load_cue__deps: ['$Cues'],
  load_cue: function(text, length) {
    Cues.audio();
    Cues.sound(UTF16ToString(text, length * 2));
  },

  // 0 for a cue not loaded yet, or with no sound at all.
  cue_length_ms__deps: ['$Cues'],
  cue_length_ms: function(text, length) {
    return Math.ceil(Cues.lengths[UTF16ToString(text, length * 2)] || 0);
  },

  play_cue__deps: ['$Cues'],
  play_cue: function(text, length) {
    var context = Cues.audio();
    if (Cues.playing) {
      Cues.playing.stop();
      Cues.playing = null;
    }
    var turn = ++Cues.latest;
    Cues.sound(UTF16ToString(text, length * 2)).then(function(sound) {
      if (!sound || turn !== Cues.latest)
        return;
      var source = context.createBufferSource();
      source.buffer = sound;
      source.connect(context.destination);
      source.start();
      Cues.playing = source;
    });
  },
});
