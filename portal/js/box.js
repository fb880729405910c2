/* The portal's side of the game box.
 * Inside the box, window.external offers CppCall/CppPut/CppDel to keep one
 * login record, and the document title tells the box the login state:
 * "username:<name>" or "nologin:<text>". In an ordinary browser the record
 * lives in localStorage instead, so the pages can be tried anywhere.
 * The session itself is the cookie "tv_user": the box copies the portal's
 * cookies into every game tab, so the games know the player too. */
var TamveloBox = (function () {
  var STORE_KEY = 'tamvelo.login';
  var NO_VALUE = '0';
  // The box keeps records of 70 characters or more only.
  var RECORD_MIN = 70;

  function boxExternal() {
    try {
      var external = window.external;
      if (external && typeof external.CppCall !== 'undefined') return external;
    } catch (e) { /* a browser without the box's object */ }
    return null;
  }

  function readRaw() {
    var external = boxExternal();
    if (external) return String(external.CppCall());
    try { return window.localStorage.getItem(STORE_KEY) || NO_VALUE; } catch (e) { return NO_VALUE; }
  }

  function writeRaw(text) {
    var external = boxExternal();
    if (external) { external.CppPut(text); return; }
    try { window.localStorage.setItem(STORE_KEY, text); } catch (e) { /* private mode */ }
  }

  function clearRaw() {
    var external = boxExternal();
    if (external) { external.CppDel(); return; }
    try { window.localStorage.removeItem(STORE_KEY); } catch (e) { /* private mode */ }
  }

  function randomHex(count) {
    var text = '';
    while (text.length < count) text += Math.floor(Math.random() * 16).toString(16);
    return text;
  }

  // "tv1|<name, URI-encoded>|<time>|<token>", padded by the token to at
  // least 70 characters. URI encoding keeps the record in plain ASCII.
  function makeRecord(name) {
    var head = 'tv1|' + encodeURIComponent(name) + '|' + new Date().getTime() + '|';
    return head + randomHex(Math.max(32, RECORD_MIN - head.length));
  }

  function nameFromRecord(record) {
    var parts = String(record).split('|');
    if (parts.length < 4 || parts[0] !== 'tv1') return null;
    try { return decodeURIComponent(parts[1]); } catch (e) { return null; }
  }

  function readCookie(name) {
    var parts = document.cookie ? document.cookie.split('; ') : [], i;
    for (i = 0; i < parts.length; i++) {
      if (parts[i].indexOf(name + '=') === 0) {
        try { return decodeURIComponent(parts[i].substring(name.length + 1)); } catch (e) { return null; }
      }
    }
    return null;
  }

  return {
    inBox: function () { return boxExternal() !== null; },
    // The remembered user name, or null.
    rememberedName: function () {
      var record = readRaw();
      return record === NO_VALUE ? null : nameFromRecord(record);
    },
    remember: function (name) { writeRaw(makeRecord(name)); },
    forget: clearRaw,
    // The logged-in user of this session, or null.
    sessionName: function () { return readCookie('tv_user') || null; },
    startSession: function (name) { document.cookie = 'tv_user=' + encodeURIComponent(name) + '; path=/'; },
    endSession: function () { document.cookie = 'tv_user=; path=/; expires=Thu, 01 Jan 1970 00:00:00 GMT'; },
    tellLoggedIn: function (name) { document.title = 'username:' + name; },
    tellLoggedOut: function (text) { document.title = 'nologin:' + text; }
  };
}());
