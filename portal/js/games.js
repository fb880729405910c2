/* The portal's game list, shared by the home page and the game search page.
 * Every playable card opens its game in a new window: inside the box that
 * request becomes a game tab. */
var TamveloGames = (function () {
  var games = [
    { id: 'snake', name: '贪吃蛇', desc: '方向键控制，越吃越长', tag: '休闲', url: '/games/snake.html',
      art: '<rect width="220" height="120" fill="#1f9d6b"/>' +
           '<rect x="40" y="60" width="100" height="16" rx="8" fill="#c8f7dc"/>' +
           '<rect x="124" y="30" width="16" height="46" rx="8" fill="#c8f7dc"/>' +
           '<circle cx="132" cy="34" r="3" fill="#1f2a44"/><circle cx="176" cy="68" r="8" fill="#ff7a1a"/>' },
    { id: 'bricks', name: '打砖块', desc: '挡板接球，击碎全部砖块', tag: '动作', url: '/games/bricks.html',
      art: '<rect width="220" height="120" fill="#2d6cdf"/>' +
           '<rect x="22" y="18" width="40" height="14" fill="#ffd166"/><rect x="68" y="18" width="40" height="14" fill="#ff7a1a"/>' +
           '<rect x="114" y="18" width="40" height="14" fill="#ffd166"/><rect x="160" y="18" width="40" height="14" fill="#ff7a1a"/>' +
           '<rect x="45" y="38" width="40" height="14" fill="#8fb4ff"/><rect x="137" y="38" width="40" height="14" fill="#8fb4ff"/>' +
           '<circle cx="118" cy="78" r="6" fill="#fff"/><rect x="88" y="100" width="56" height="8" rx="4" fill="#fff"/>' },
    { id: 'stars', name: '接星星', desc: '移动篮子，接住落下的星星', tag: '益智', url: '/games/stars.html',
      art: '<rect width="220" height="120" fill="#3b2d73"/>' +
           '<polygon points="60,20 65,33 79,33 68,41 72,55 60,47 48,55 52,41 41,33 55,33" fill="#ffd166"/>' +
           '<polygon points="150,38 154,47 164,47 156,53 159,63 150,57 141,63 144,53 136,47 146,47" fill="#ffd166"/>' +
           '<circle cx="110" cy="30" r="2" fill="#fff"/><circle cx="185" cy="20" r="2" fill="#fff"/>' +
           '<path d="M82 92 h56 l-8 20 h-40 z" fill="#ff7a1a"/>' },
    { id: 'farm', name: '开心农场', desc: '种菜收菜，经营你的农场', tag: '模拟', soon: true,
      art: '<rect width="220" height="120" fill="#8cc152"/><rect x="0" y="80" width="220" height="40" fill="#a0703c"/>' +
           '<circle cx="180" cy="30" r="14" fill="#ffd166"/>' },
    { id: 'chess', name: '中国象棋', desc: '楚河汉界，在线对弈', tag: '棋牌', soon: true,
      art: '<rect width="220" height="120" fill="#e8c28a"/><circle cx="80" cy="60" r="24" fill="#fff5e6" stroke="#c0392b" stroke-width="3"/>' +
           '<circle cx="140" cy="60" r="24" fill="#fff5e6" stroke="#1f2a44" stroke-width="3"/>' },
    { id: 'racing', name: '极速飞车', desc: '漂移过弯，冲刺终点', tag: '竞速', soon: true,
      art: '<rect width="220" height="120" fill="#4a4f5c"/><rect x="104" y="0" width="12" height="120" fill="#ffd166"/>' +
           '<rect x="60" y="50" width="40" height="56" rx="8" fill="#e04a3f"/>' }
  ];

  function escapeHtml(text) {
    return String(text).replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');
  }

  function cardHtml(game) {
    var inner = '<span class="thumb"><svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 220 120" preserveAspectRatio="xMidYMid slice">' +
      game.art + '</svg></span><span class="info" style="display:block"><span class="name">' + escapeHtml(game.name) +
      '</span><span class="desc" style="display:block">' + escapeHtml(game.desc) + '</span><span class="tag">' +
      escapeHtml(game.tag) + '</span><span class="play">' + (game.soon ? '即将上线' : '开始游戏') + '</span></span>';
    if (game.soon) return '<div class="card soon">' + inner + '</div>';
    return '<a class="card" href="' + game.url + '" target="_blank" title="' + escapeHtml(game.name) + '">' + inner + '</a>';
  }

  return {
    all: games,
    // Fills the element with the cards of the games whose name, description
    // or tag contains the text (all games for an empty text); returns the count.
    render: function (element, text) {
      var html = '', count = 0, i, game;
      text = text || '';
      for (i = 0; i < games.length; i++) {
        game = games[i];
        if ((game.name + game.desc + game.tag).indexOf(text) < 0) continue;
        html += cardHtml(game);
        count++;
      }
      element.innerHTML = html;
      return count;
    }
  };
}());
