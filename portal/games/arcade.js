/* A small frame for the canvas games: a fixed-rate loop, the start and
 * game-over screens, score and best score, and the player's name from the
 * portal's session cookie. A game supplies reset(), step(), draw(ctx) and
 * optionally key(code, down) and pointer(x). */
var Arcade = (function () {
  function playerName() {
    var match = /(?:^|; )tv_user=([^;]*)/.exec(document.cookie);
    try { return match ? decodeURIComponent(match[1]) : null; } catch (e) { return null; }
  }

  function loadBest(id) {
    try { return parseInt(window.localStorage.getItem('tamvelo.best.' + id), 10) || 0; } catch (e) { return 0; }
  }

  function saveBest(id, value) {
    try { window.localStorage.setItem('tamvelo.best.' + id, String(value)); } catch (e) { /* private mode */ }
  }

  function run(id, game) {
    var canvas = document.getElementById('stage');
    var ctx = canvas.getContext('2d');
    var state = 'ready';
    var best = loadBest(id);
    var session = {
      width: canvas.width,
      height: canvas.height,
      score: 0,
      over: function () {
        state = 'over';
        if (session.score > best) { best = session.score; saveBest(id, best); }
      }
    };

    var name = playerName();
    document.getElementById('player').innerHTML = '';
    document.getElementById('player').appendChild(document.createTextNode(name ? '玩家：' + name : '游客'));

    function overlay(title, line) {
      ctx.fillStyle = 'rgba(14, 18, 32, 0.78)';
      ctx.fillRect(0, 0, session.width, session.height);
      ctx.textAlign = 'center';
      ctx.fillStyle = '#ffffff';
      ctx.font = '32px "Microsoft YaHei", sans-serif';
      ctx.fillText(title, session.width / 2, session.height / 2 - 16);
      ctx.fillStyle = '#ffb36b';
      ctx.font = '16px "Microsoft YaHei", sans-serif';
      ctx.fillText(line, session.width / 2, session.height / 2 + 24);
    }

    function frame() {
      if (state === 'playing') game.step(session);
      game.draw(ctx, session);
      ctx.textAlign = 'left';
      ctx.fillStyle = '#ffffff';
      ctx.font = '16px "Microsoft YaHei", sans-serif';
      ctx.fillText('得分 ' + session.score + '    最高 ' + best, 12, 24);
      if (state === 'ready') overlay(game.name, '按空格键或点击开始');
      if (state === 'over') overlay('游戏结束  得分 ' + session.score, '按空格键或点击再来一局');
    }

    function begin() {
      session.score = 0;
      game.reset(session);
      state = 'playing';
    }

    document.onkeydown = function (event) {
      var code = (event || window.event).keyCode;
      if (code === 32 && state !== 'playing') { begin(); return false; }
      if (game.key && state === 'playing' && game.key(code, true, session)) return false;
      return code < 37 || code > 40;  // arrow keys must not scroll the page
    };
    document.onkeyup = function (event) {
      if (game.key) game.key((event || window.event).keyCode, false, session);
    };
    canvas.onclick = function () { if (state !== 'playing') begin(); };
    canvas.onmousemove = function (event) {
      event = event || window.event;
      var box = canvas.getBoundingClientRect();
      if (game.pointer) game.pointer((event.clientX - box.left) * session.width / (box.right - box.left), session);
    };

    game.reset(session);
    setInterval(frame, 1000 / 60);
  }

  return { run: run };
}());
