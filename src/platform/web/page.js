// SPDX-License-Identifier: GPL-3.0-or-later
// The DOM calls of the web front end, which page.h lists. The page only
// shows what the window models hold and queues the player's clicks and keys
// for the program's one event loop; it decides nothing of the game.
mergeInto(LibraryManager.library, {
  $Q: {
    events: [], wake: null, blocked: false, ended: false, z: 10,
    latin: function (p) { var s = ''; for (; HEAPU8[p]; p++) s += String.fromCharCode(HEAPU8[p]); return s; },
    put: function (s, p, size) {
      var n = Math.min(s.length, size - 1);
      for (var i = 0; i < n; i++) { var c = s.charCodeAt(i); HEAPU8[p + i] = c > 255 ? 63 : c; }
      HEAPU8[p + n] = 0; return n;
    },
    el: function (w, c) { return document.getElementById('c' + w + '_' + c); },
    push: function (kind, w, c, n, text) {
      if (Q.ended) return;
      Q.events.push(kind + ' ' + w + ' ' + c + ' ' + (n | 0) + ' ' + (text || ''));
      if (Q.wake) { var wake = Q.wake; Q.wake = null; delete document.body.dataset.idle; wake(); }
    },
    // A caption that the stand-in fonts make too large for its label is
    // drawn slightly smaller rather than clipped, as on the desktop.
    fit: function (el) {
      if (el.hidden || !el.clientHeight) return;
      var size = +(el.dataset.size || (el.dataset.size = parseFloat(getComputedStyle(el).fontSize)));
      el.style.fontSize = size + 'px';
      for (var i = 0; i < 8 && (el.scrollHeight > el.clientHeight + 1 || el.scrollWidth > el.clientWidth + 1); i++)
        el.style.fontSize = (size *= 0.97) + 'px';
    },
    // A caption's & marks its access key, underlined; && is a plain &.
    caption: function (node, text) {
      node.textContent = '';
      var key = '';
      for (var i = 0; i < text.length; i++) {
        if (text[i] == '&' && i + 1 < text.length && text[i + 1] != '&') {
          var u = document.createElement('u'); u.textContent = text[++i]; node.appendChild(u);
          key = key || text[i].toUpperCase();
        } else { node.appendChild(document.createTextNode(text[i])); if (text[i] == '&') i++; }
      }
      return key;
    },
    top: function () {
      var best = null;
      document.querySelectorAll('.win:not([hidden])').forEach(function (w) {
        if (!best || +w.style.zIndex > +best.style.zIndex) best = w;
      });
      return best;
    },
    closeMenus: function () { document.querySelectorAll('.menu.open').forEach(function (m) { m.classList.remove('open'); }); },
    where: function (node) {
      var w = node.closest && node.closest('.win'), c = node.closest && node.closest('[data-c]');
      return { w: w ? +w.dataset.w : -1, c: c && w && w.contains(c) ? +c.dataset.c : -1, win: w, el: c };
    },
    key: function (e) {
      if (Q.ended || document.querySelector('dialog[open]')) return;
      var at = Q.where(e.target), win = at.win || Q.top(), open = document.querySelector('.menu.open');
      if (!win) return;
      var w = +win.dataset.w, plain = !e.ctrlKey && !e.altKey && !e.metaKey;
      if (e.key == 'Escape') { e.preventDefault(); if (open) Q.closeMenus(); else Q.push('x', w, -1, 0); return; }
      var letter = e.key.length == 1 ? e.key.toUpperCase() : '';
      var pick = function (list) {
        for (var i = 0; i < list.length; i++) if (list[i].dataset.a == letter && !list[i].classList.contains('off')) return list[i];
      };
      if (e.ctrlKey && !e.altKey && !e.metaKey && letter) {
        var item = win.querySelector('.item[data-s="' + letter + '"]:not(.off):not([hidden])');
        if (item) { e.preventDefault(); Q.closeMenus(); Q.push('c', w, +item.dataset.c, 0); }
        return;
      }
      if (e.altKey && !e.ctrlKey && letter) {
        var menu = pick(win.querySelectorAll('.menu'));
        if (menu) { e.preventDefault(); Q.closeMenus(); menu.classList.add('open'); }
        return;
      }
      if (open && plain && letter) {
        var chosen = pick(open.querySelectorAll('.item:not([hidden])'));
        e.preventDefault(); Q.closeMenus();
        if (chosen) Q.push('c', w, +chosen.dataset.c, 0);
        return;
      }
      var t = e.target, line = t.tagName == 'INPUT' && t.type == 'text';
      if (!plain || (e.key != 'Enter' && e.key.length != 1)) return;
      if (line) {
        // The box's key handler sees the key before anything is inserted.
        e.preventDefault();
        var all = t.value.length > 0 && t.selectionStart == 0 && t.selectionEnd == t.value.length;
        Q.push('k', w, at.c, e.key == 'Enter' ? 13 : e.key.charCodeAt(0), all ? '1' : '0');
      } else if (t.tagName != 'TEXTAREA' && e.key != 'Enter' && e.key != ' ') {
        // The key may move the focus into a box, which must not take it too.
        e.preventDefault();
        Q.push('k', w, at.c, e.key.charCodeAt(0));
      }
    },
    click: function (e) {
      var at = Q.where(e.target);
      if (!at.win) { Q.closeMenus(); return; }
      var w = at.w, node = at.el;
      if (e.target.closest('.close')) return Q.push('q', w, -1, 0);
      if (!node) return Q.closeMenus();
      if (node.classList.contains('menu') && !e.target.closest('.drop')) {
        var was = node.classList.contains('open'); Q.closeMenus();
        if (!was && !node.classList.contains('off')) node.classList.add('open');
        return;
      }
      if (node.classList.contains('item')) { Q.closeMenus(); if (!node.classList.contains('off')) Q.push('c', w, at.c, 0); return; }
      Q.closeMenus();
      if (node.tagName == 'BUTTON' && !node.disabled) Q.push('c', w, at.c, 0);
      else if (node.classList.contains('option')) { e.preventDefault(); if (!node.classList.contains('off')) Q.push('o', w, at.c, 0); }
      else if (node.classList.contains('list') && e.target.parentNode == node && !node.classList.contains('off'))
        Q.push('l', w, at.c, Array.prototype.indexOf.call(node.children, e.target));
    },
    start: function () {
      var block = function (e) { if (Q.blocked) { e.preventDefault(); e.stopPropagation(); } };
      ['mousedown', 'mouseup', 'click', 'keydown', 'keypress', 'input', 'beforeinput'].forEach(function (name) {
        document.addEventListener(name, block, true);
      });
      document.addEventListener('keydown', Q.key);
      document.addEventListener('click', Q.click);
      document.addEventListener('mousedown', function (e) {
        var win = Q.where(e.target).win;
        if (win && win != Q.top()) { win.style.zIndex = ++Q.z; Q.push('a', +win.dataset.w, -1, 0); }
      });
      document.addEventListener('input', function (e) {
        var at = Q.where(e.target);
        if (at.el && (e.target.tagName == 'TEXTAREA' || e.target.tagName == 'INPUT')) Q.push('t', at.w, at.c, 0, e.target.value);
      });
      document.addEventListener('focusin', function (e) {
        var at = Q.where(e.target);
        if (e.target.dataset.all) e.target.select();  // a box whose whole text the model has selected
        if (at.el && at.c >= 0 && !at.el.classList.contains('item')) Q.push('f', at.w, at.c, 0);
      });
      var resized;
      window.addEventListener('resize', function () { clearTimeout(resized); resized = setTimeout(function () { Q.push('r', -1, -1, 0); }, 200); });
    }
  },

  quibbly_open__deps: ['$Q'],
  quibbly_open: function (w, html) {
    if (!Q.desk) { Q.start(); Q.desk = document.getElementById('desk'); }
    var old = document.getElementById('w' + w);
    var text = UTF8ToString(html);
    if (!text) { if (old) old.remove(); return; }
    var holder = document.createElement('div'); holder.innerHTML = text;
    var win = holder.firstChild;
    if (old) { win.hidden = old.hidden; win.style.zIndex = old.style.zIndex; old.replaceWith(win); } else Q.desk.appendChild(win);
    win.querySelectorAll('.label').forEach(Q.fit);
  },
  quibbly_show: function (w, shown, left, top) {
    var win = document.getElementById('w' + w), wasTop = Q.top() == win;
    if (!win) return;
    win.hidden = !shown;
    if (shown) {
      win.style.left = left + 'px'; win.style.top = top + 'px'; win.style.zIndex = ++Q.z;
      win.querySelectorAll('.label').forEach(Q.fit);
    }
    else if (wasTop && Q.top()) Q.push('a', +Q.top().dataset.w, -1, 0);  // the window under it comes to the front
  },
  quibbly_caption: function (w, text) {
    var win = document.getElementById('w' + w), span = win && win.querySelector('.title span');
    if (span) span.textContent = Q.latin(text);
  },
  quibbly_state: function (w, c, flags, n, p) {
    var el = Q.el(w, c), text = Q.latin(p);
    if (!el) return;
    var on = (flags & 1) != 0, checked = (flags & 4) != 0;
    el.hidden = !(flags & 2);
    el.classList.toggle('off', !on);
    if ('disabled' in el) el.disabled = !on;
    var cls = el.classList;
    if (cls.contains('label')) { el.textContent = text; Q.fit(el); }
    else if (cls.contains('text')) {
      if (el.value != text) el.value = text;
      el.dataset.all = checked ? '1' : '';
      if (checked && document.activeElement == el) el.select();
    } else if (cls.contains('list')) {
      var rows = text ? text.split('\n') : [];
      // Rows only added at the end are appended; any other change redraws them.
      var same = el.children.length <= rows.length;
      for (var i = 0; same && i < el.children.length; i++) same = el.children[i].textContent == rows[i];
      if (!same) el.textContent = '';
      for (var j = el.children.length; j < rows.length; j++) {
        var row = document.createElement('div'); row.textContent = rows[j]; el.appendChild(row);
      }
      for (var k = 0; k < el.children.length; k++) el.children[k].classList.toggle('chosen', k == n);
    } else if (cls.contains('button')) {
      Q.caption(el, text);
      if (n >= 0) el.style.backgroundColor = '#' + ('00000' + n.toString(16)).slice(-6);
    } else if (cls.contains('picture')) { el.style.left = n + 'px'; el.style.top = text + 'px'; }
    else if (cls.contains('option')) { Q.caption(el.lastChild, text); el.firstChild.checked = checked; el.firstChild.disabled = !on; }
    else if (cls.contains('progress')) { el.max = +text; el.value = n; }
    else if (cls.contains('menu')) el.dataset.a = Q.caption(el.firstChild, text);
    else if (cls.contains('item')) { el.dataset.a = Q.caption(el.firstChild, text); cls.toggle('checked', checked); }
  },
  // Behind a message box the focus moves once the box has closed.
  quibbly_focus: function (w, c) {
    var el = Q.el(w, c);
    if (!el || !el.focus) return;
    if (document.querySelector('dialog[open]')) Q.later = el; else el.focus({ preventScroll: true });
  },
  quibbly_room: function (which) { return which ? window.innerHeight : window.innerWidth; },
  quibbly_take_event: function (p, size) { return Q.events.length ? Q.put(Q.events.shift(), p, size) || 1 : 0; },
  quibbly_wait_event: function () {
    // The page is idle (data-idle) while the program waits with nothing to do.
    return Asyncify.handleSleep(function (wake) {
      if (Q.events.length) setTimeout(wake, 0); else { Q.wake = wake; document.body.dataset.idle = '1'; }
    });
  },
  quibbly_sleep: function (ms) {
    return Asyncify.handleSleep(function (wake) { Q.blocked = true; setTimeout(function () { Q.blocked = false; wake(); }, ms); });
  },
  quibbly_paint: function () {
    return Asyncify.handleSleep(function (wake) { requestAnimationFrame(function () { setTimeout(wake, 0); }); });
  },
  // A modal box with the engine's text, title, icon and buttons. An empty
  // title shows the game's name, as the desktop's title bar does.
  quibbly_message_box: function (text, title, icon, buttons) {
    var t = Q.latin(text), h = Q.latin(title);
    return Asyncify.handleSleep(function (wake) {
      var d = document.createElement('dialog');
      d.className = 'box'; d.dataset.title = h; d.dataset.icon = ['none', 'information', 'exclamation'][icon];
      d.innerHTML = '<div class="title"></div><div class="body"><span class="icon"></span><p></p></div><div class="buttons"></div>';
      d.querySelector('.title').textContent = h || 'Quibbly';
      d.querySelector('p').textContent = t;
      var names = buttons ? ['Yes', 'No'] : ['OK'], answers = buttons ? [1, 2] : [0];
      var answer = function (a) {
        d.close(); d.remove();
        if (Q.later) { Q.later.focus({ preventScroll: true }); Q.later = null; }
        wake(a);
      };
      names.forEach(function (name, i) {
        var b = document.createElement('button'); b.textContent = name;
        b.onclick = function () { answer(answers[i]); };
        d.querySelector('.buttons').appendChild(b);
      });
      // Escape answers OK, or No.
      d.addEventListener('cancel', function (e) { e.preventDefault(); answer(answers[answers.length - 1]); });
      document.body.appendChild(d);
      d.showModal();
      d.querySelectorAll('button')[buttons == 2 ? 1 : 0].focus();
    });
  },
  // The one text the game gives as UTF-8 (the share line's blocks).
  quibbly_clipboard: function (p) {
    var text = UTF8ToString(p);
    if (navigator.clipboard) navigator.clipboard.writeText(text).catch(function () {});
  },
  quibbly_short_date: function (p, size) { Q.put(new Date().toLocaleDateString(), p, size); },
  quibbly_help: function (p) {
    var help = document.getElementById('help');
    help.querySelector('pre').textContent = Q.latin(p);
    help.hidden = false;
    help.style.zIndex = ++Q.z;
  },
  quibbly_end: function () {
    Q.ended = true;
    document.getElementById('desk').remove();
    document.getElementById('help').remove();
    document.getElementById('ended').hidden = false;
  },
  quibbly_test_seed: function () {
    var draws = new URLSearchParams(location.search).get('draws');
    return draws !== null && /^\d+$/.test(draws) ? +draws : -1;
  }
});
