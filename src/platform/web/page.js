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
    // The lists' keys: the arrows, Home and End move the selection (the
    // model's, as the desktop's lists move it); Enter opens a folder or
    // loads a file as a double click does. A chart's keys step through its bars.
    listKey: function (e, w, at) {
      var el = at.el, cls = el.classList, keys = { ArrowUp: -1, ArrowDown: 1, ArrowLeft: -1, ArrowRight: 1, Home: -1e9, End: 1e9 };
      if (cls.contains('chart')) {
        if (!(e.key in keys)) return false;
        e.preventDefault();
        Q.bar(el, (+el.dataset.bar || 0) + keys[e.key]);
        return true;
      }
      if (!cls.contains('list') || cls.contains('off')) return false;
      var count = el.children.length, now = +(el.dataset.n || -1);
      if (e.key == 'Enter' && (cls.contains('files') || cls.contains('folders'))) {
        e.preventDefault();
        if (now >= 0) Q.push('d', w, at.c, now);
        return true;
      }
      if (!(e.key in keys) || !count || (e.key.indexOf('Left') > 0 || e.key.indexOf('Right') > 0)) return false;
      e.preventDefault();
      var next = Math.max(0, Math.min(count - 1, (now < 0 ? -1 : now) + keys[e.key]));
      if (next != now) Q.push('m', w, at.c, next);
      return true;
    },
    // The bar in hand of a chart, which assistive tools read as its option.
    bar: function (el, n) {
      var bars = el.querySelectorAll('[role=option]');
      if (!bars.length) return;
      n = Math.max(0, Math.min(bars.length - 1, n));
      el.dataset.bar = n;
      bars.forEach(function (b, i) { b.setAttribute('aria-selected', i == n ? 'true' : 'false'); });
      el.setAttribute('aria-activedescendant', bars[n].id);
    },
    // Draws a chart's bars from the model's numbers, as the desktop paints
    // them: each scaled against the highest, its number over it, its label
    // under it; the last game's bar green, a lost game a red cross, a game
    // given up a grey dash. An SVG, sharp at any scale.
    chart: function (el, n, text) {
      var bars = text ? text.split('\n').map(function (line) {
        var m = /^(-?\d+) (\d) ([^\t]*)\t([^\t]*)\t(.*)$/.exec(line);
        return { value: +m[1], kind: +m[2], above: m[3], below: m[4], words: m[5] };
      }) : [];
      var width = parseFloat(el.style.width), height = parseFloat(el.style.height);
      var size = parseFloat(getComputedStyle(el).fontSize) || 11, line = Math.ceil(size * 1.2), ink = getComputedStyle(el).color;
      var esc = function (t) { return t.replace(/&/g, '&amp;').replace(/</g, '&lt;'); };
      el.textContent = '';
      if (!bars.length) {
        var empty = document.createElement('div'); empty.className = 'empty'; empty.textContent = el.dataset.empty;
        el.appendChild(empty); el.removeAttribute('aria-activedescendant'); return;
      }
      var labelled = bars.some(function (b) { return b.below; });
      var left = 6, top = line + 4, plotW = width - 12, bottom = height - (labelled ? line + 4 : 6), plotH = bottom - top;
      var slot = plotW / bars.length, barW = Math.min(slot * 0.7, 40), highest = 1;
      bars.forEach(function (b) { highest = Math.max(highest, b.value); });
      var svg = '<svg aria-hidden="true" width="' + width + '" height="' + height + '" viewBox="0 0 ' + width + ' ' + height + '">' +
        '<line x1="' + left + '" x2="' + (left + plotW) + '" y1="' + (bottom + 0.5) + '" y2="' + (bottom + 0.5) + '" stroke="#a0a0a0"/>';
      bars.forEach(function (b, i) {
        var mid = left + slot * (i + 0.5), h = plotH * b.value / highest, y = bottom - h;
        if (b.kind >= 2) {
          var r = Math.min(barW, 10) / 2, cy = bottom - r - 2;
          svg += b.kind == 2
            ? '<path d="M' + (mid - r) + ' ' + (cy - r) + 'L' + (mid + r) + ' ' + (cy + r) + 'M' + (mid - r) + ' ' + (cy + r) + 'L' + (mid + r) + ' ' + (cy - r) + '" stroke="#ff0080" stroke-width="2.2" stroke-linecap="round"/>'
            : '<path d="M' + (mid - r) + ' ' + cy + 'H' + (mid + r) + '" stroke="#707070" stroke-width="2.2" stroke-linecap="round"/>';
          y = bottom;
        } else if (b.value > 0) {
          svg += '<rect x="' + (mid - barW / 2) + '" y="' + y + '" width="' + barW + '" height="' + h + '" fill="' + (b.kind == 1 ? '#00ff80' : ink) +
            '" stroke="' + ink + '" stroke-width="' + (b.kind == 1 ? 1.5 : 1) + '"/>';
        }
        svg += '<text x="' + mid + '" y="' + (y - 4) + '" text-anchor="middle" fill="#000">' + esc(b.above) + '</text>';
        if (b.below) svg += '<text x="' + mid + '" y="' + (bottom + 3 + size) + '" text-anchor="middle" fill="#000">' + esc(b.below) + '</text>';
      });
      el.innerHTML = svg + '</svg>';
      bars.forEach(function (b, i) {
        var option = document.createElement('div');
        option.setAttribute('role', 'option'); option.id = el.id + '_b' + i; option.setAttribute('aria-label', b.words);
        option.style.left = (left + slot * i) + 'px'; option.style.width = slot + 'px';
        el.appendChild(option);
      });
      Q.bar(el, Math.min(+el.dataset.bar || 0, bars.length - 1));
    },
    // A label the model names otherwise is read by that name alone.
    label: function (el) {
      var text = el.dataset.text || '', spoken = el.dataset.spoken;
      el.textContent = '';
      if (spoken) {
        var shown = document.createElement('span'), said = document.createElement('span');
        shown.setAttribute('aria-hidden', 'true'); shown.textContent = text;
        said.className = 'sr'; said.textContent = spoken;
        el.appendChild(shown); el.appendChild(said);
      } else el.textContent = text;
      Q.fit(el);
    },
    closeHelp: function () {
      document.getElementById('help').hidden = true;
      var top = Q.top(), focus = top && top.querySelector('.client :focus, .client [tabindex]:not([tabindex="-1"])');
      if (focus) focus.focus({ preventScroll: true });
    },
    // A topic of the help, from its contents or a link in the text.
    topic: function (name) {
      var body = document.querySelector('#help .page'), at = body.querySelector('[name="' + name + '"], [id="' + name + '"]');
      if (!at) return;
      var heading = at.closest('h1, h2, h3, h4') || at;
      body.scrollTop = heading.offsetTop - body.offsetTop;
      heading.setAttribute('tabindex', '-1'); heading.focus({ preventScroll: true });
    },
    closeMenus: function () { document.querySelectorAll('.menu.open').forEach(function (m) { m.classList.remove('open'); }); },
    where: function (node) {
      var w = node.closest && node.closest('.win'), c = node.closest && node.closest('[data-c]');
      return { w: w ? +w.dataset.w : -1, c: c && w && w.contains(c) ? +c.dataset.c : -1, win: w, el: c };
    },
    key: function (e) {
      if (Q.ended || document.querySelector('dialog[open]')) return;
      // The keys of a window just hidden go to the one in front.
      var at = Q.where(e.target), win = at.win && !at.win.hidden ? at.win : Q.top(), open = document.querySelector('.menu.open');
      if (win != at.win) at = { w: win ? +win.dataset.w : -1, c: -1, win: win, el: null };
      if (!win) return;
      var w = +win.dataset.w, plain = !e.ctrlKey && !e.altKey && !e.metaKey;
      if (e.target.closest && e.target.closest('#help')) {
        if (e.key == 'Escape') { e.preventDefault(); Q.closeHelp(); }
        return;
      }
      if (plain && at.el && Q.listKey(e, w, at)) return;
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
        // A menu's access key, else a button's or an option's, as on the desktop.
        var menu = pick(win.querySelectorAll('.menu'));
        if (menu) { e.preventDefault(); Q.closeMenus(); menu.classList.add('open'); return; }
        var control = pick(win.querySelectorAll('.client .button:not([hidden]), .client .option:not([hidden]), .transfer button'));
        if (!control || control.disabled) return;
        e.preventDefault(); Q.closeMenus();
        if (control.closest('.transfer')) control.click();
        else { (control.querySelector('input') || control).focus(); Q.push(control.classList.contains('option') ? 'o' : 'c', w, +control.dataset.c, 0); }
        return;
      }
      if (open && plain && letter) {
        var chosen = pick(open.querySelectorAll('.item:not([hidden])'));
        e.preventDefault(); Q.closeMenus();
        if (chosen) Q.push('c', w, +chosen.dataset.c, 0);
        return;
      }
      var t = e.target, line = t.tagName == 'INPUT' && t.type == 'text' && !t.closest('.combo');
      if (!plain || (e.key != 'Enter' && e.key.length != 1)) return;
      if (line) {
        // The box's key handler sees the key before anything is inserted.
        e.preventDefault();
        var all = t.value.length > 0 && t.selectionStart == 0 && t.selectionEnd == t.value.length;
        Q.push('k', w, at.c, e.key == 'Enter' ? 13 : e.key.charCodeAt(0), all ? '1' : '0');
      } else if (t.tagName != 'TEXTAREA' && t.tagName != 'INPUT' && t.tagName != 'SELECT' && e.key != 'Enter' && e.key != ' ') {
        // The key may move the focus into a box, which must not take it too.
        e.preventDefault();
        Q.push('k', w, at.c, e.key.charCodeAt(0));
      }
    },
    click: function (e) {
      var link = e.target.closest && e.target.closest('#help a[href^="#"]');
      if (link) { e.preventDefault(); return Q.topic(link.getAttribute('href').slice(1)); }
      var at = Q.where(e.target);
      if (!at.win) { Q.closeMenus(); return; }
      var w = at.w, node = at.el, moved = e.target.closest('.transfer button');
      if (moved) {
        var list = document.getElementById(moved.dataset.list);
        if (moved.disabled || !list) return;
        if (moved.classList.contains('download')) return Q.push('g', w, +list.dataset.c, 0);
        return moved.parentNode.querySelector('input[type=file]').click();
      }
      if (e.target.closest('.close')) return Q.push('q', w, -1, 0);
      if (!node) return Q.closeMenus();
      if (node.classList.contains('chart')) return Q.bar(node, Array.prototype.indexOf.call(node.querySelectorAll('[role=option]'), e.target));
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
      document.addEventListener('dblclick', function (e) {
        var at = Q.where(e.target);
        if (at.el && (at.el.classList.contains('files') || at.el.classList.contains('folders')) && e.target.parentNode == at.el && !at.el.classList.contains('off'))
          Q.push('d', at.w, at.c, Array.prototype.indexOf.call(at.el.children, e.target));
      });
      document.addEventListener('change', function (e) {
        var at = Q.where(e.target), t = e.target;
        if (t.type == 'file') {
          var file = t.files[0], list = document.getElementById(t.parentNode.querySelector('.upload').dataset.list);
          t.value = '';
          if (!file || !list) return;
          file.arrayBuffer().then(function (bytes) {
            FS.mkdirTree('/tmp/upload');
            FS.writeFile('/tmp/upload/' + file.name, new Uint8Array(bytes));
            Q.push('u', +list.closest('.win').dataset.w, +list.dataset.c, 0, file.name);
          });
        } else if (at.el && t.tagName == 'SELECT') Q.push(at.el.classList.contains('combo') ? 'h' : 'l', at.w, at.c, t.selectedIndex);
      });
      document.addEventListener('mousedown', function (e) {
        var win = Q.where(e.target).win;
        if (win && win != Q.top()) { win.style.zIndex = ++Q.z; Q.push('a', +win.dataset.w, -1, 0); }
      });
      document.addEventListener('input', function (e) {
        var at = Q.where(e.target);
        if (at.el && (e.target.tagName == 'TEXTAREA' || (e.target.tagName == 'INPUT' && e.target.type == 'text'))) Q.push('t', at.w, at.c, 0, e.target.value);
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

  quibbly_open__deps: ['$Q', '$FS'],
  quibbly_aria: function (w, c, name, description) {
    var el = Q.el(w, c);
    if (!el) return;
    // An option's, a combo box's and a list's own element takes the words.
    var target = el.classList.contains('option') || el.classList.contains('combo') ? el.querySelector('input') : el;
    var n = Q.latin(name), d = Q.latin(description);
    if (el.classList.contains('label')) {
      if ((el.dataset.spoken || '') != n) { el.dataset.spoken = n; Q.label(el); }
      return;
    }
    if (n) target.setAttribute('aria-label', n); else target.removeAttribute('aria-label');
    if (d) target.setAttribute('aria-description', d); else target.removeAttribute('aria-description');
  },
  // The live region says the words once; the same words again are said again.
  quibbly_say: function (p) {
    var said = document.getElementById('said'), words = Q.latin(p);
    said.textContent = '';
    setTimeout(function () { said.textContent = words; }, 50);
  },
  quibbly_download: function (name, bytes, size) {
    var blob = new Blob([HEAPU8.slice(bytes, bytes + size)], { type: 'application/octet-stream' });
    var a = document.createElement('a');
    a.href = URL.createObjectURL(blob); a.download = Q.latin(name);
    document.body.appendChild(a); a.click(); a.remove();
    setTimeout(function () { URL.revokeObjectURL(a.href); }, 60000);
  },
  quibbly_open: function (w, html) {
    if (!Q.desk) { Q.start(); Q.desk = document.getElementById('desk'); }
    var old = document.getElementById('w' + w);
    var text = UTF8ToString(html);
    if (!text) { if (old) old.remove(); return; }
    var holder = document.createElement('div'); holder.innerHTML = text;
    var win = holder.firstChild;
    if (old) { win.hidden = old.hidden; win.style.zIndex = old.style.zIndex; old.replaceWith(win); } else Q.desk.appendChild(win);
    win.querySelectorAll('.label').forEach(Q.fit);
    win.querySelectorAll('.transfer button').forEach(function (b) { b.dataset.a = Q.caption(b, b.textContent); b.tabIndex = 100 * w + 90; });
    win.querySelectorAll('[data-by]').forEach(function (el) {
      (el.querySelector('input') || el).setAttribute('aria-labelledby', el.dataset.by);
    });
  },
  quibbly_show: function (w, shown, left, top) {
    var win = document.getElementById('w' + w), wasTop = Q.top() == win;
    if (!win) return;
    if (!shown && win.contains(document.activeElement)) document.activeElement.blur();
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
    if (cls.contains('label')) { el.dataset.text = text; Q.label(el); }
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
      var folders = cls.contains('folders');
      for (var j = el.children.length; j < rows.length; j++) {
        var row = document.createElement('div'), text = rows[j];
        row.setAttribute('role', 'option'); row.id = el.id + '_r' + j;
        if (folders) {
          // "depth open name": indented by depth, an open or closed folder.
          var m = /^(\d+) (\d) (.*)$/.exec(text);
          text = m[3]; row.style.paddingLeft = (3 + 8 * m[1]) + 'px'; row.className = m[2] == '1' ? 'open' : 'shut';
          row.setAttribute('aria-level', +m[1] + 1);
        }
        row.textContent = text; el.appendChild(row);
      }
      el.dataset.n = n;
      for (var k = 0; k < el.children.length; k++) {
        el.children[k].classList.toggle('chosen', k == n);
        el.children[k].setAttribute('aria-selected', k == n ? 'true' : 'false');
      }
      if (n >= 0 && el.children[n]) {
        el.setAttribute('aria-activedescendant', el.children[n].id);
        var r = el.children[n];
        if (r.offsetTop < el.scrollTop) el.scrollTop = r.offsetTop;
        else if (r.offsetTop + r.offsetHeight > el.scrollTop + el.clientHeight) el.scrollTop = r.offsetTop + r.offsetHeight - el.clientHeight;
      } else el.removeAttribute('aria-activedescendant');
      if (cls.contains('files')) {
        var down = el.closest('.win').querySelector('.transfer .download');
        if (down) down.disabled = !(n >= 0);
      }
    } else if (cls.contains('button')) {
      el.dataset.a = Q.caption(el.querySelector('.cap') || el, text);
      el.dataset.mark = flags & 8 ? 'struck' : flags & 16 ? 'ringed' : '';
      if (n >= 0) {
        el.style.backgroundColor = '#' + ('00000' + n.toString(16)).slice(-6);
        // Disabled text part of the way from black to the button's colour.
        el.style.setProperty('--off', 'rgb(' + [16, 8, 0].map(function (b) { return Math.round(((n >> b) & 255) * 0.45); }).join(',') + ')');
      }
    } else if (cls.contains('picture')) { el.style.left = n + 'px'; el.style.top = text + 'px'; }
    else if (cls.contains('option')) { el.dataset.a = Q.caption(el.lastChild, text); el.firstChild.checked = checked; el.firstChild.disabled = !on; }
    else if (cls.contains('progress')) { el.max = +text; el.value = n; }
    else if (cls.contains('drives')) {
      var names = text ? text.split('\n') : [];
      if ([].map.call(el.options, function (o) { return o.text; }).join('\n') != text)
        el.innerHTML = names.map(function (d) { return '<option></option>'; }).join('');
      names.forEach(function (d, i) { el.options[i].text = d; });
      el.selectedIndex = n;
    } else if (cls.contains('combo')) {
      var box = el.querySelector('input'), choice = el.querySelector('select');
      if (box.value != text) box.value = text;
      box.disabled = choice.disabled = !on;
      choice.selectedIndex = n;
    } else if (cls.contains('chart')) Q.chart(el, n, text);
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
      d.setAttribute('aria-labelledby', 'boxTitle'); d.setAttribute('aria-describedby', 'boxText');
      if (icon == 2) d.setAttribute('role', 'alertdialog');
      d.innerHTML = '<div class="title" id="boxTitle"></div><div class="body"><span class="icon"></span><p id="boxText"></p></div><div class="buttons"></div>';
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
    // The help file is a page of HTML: its body is shown, its links lead to
    // its topics; a file that is not HTML (a fault's words) shows as text.
    var help = document.getElementById('help'), page = help.querySelector('.page'), text = Q.latin(p);
    if (/^\s*</.test(text)) {
      var doc = new DOMParser().parseFromString(text, 'text/html');
      doc.querySelectorAll('script, style, link').forEach(function (n) { n.remove(); });
      page.innerHTML = doc.body.innerHTML;
    } else { page.textContent = ''; var para = document.createElement('p'); para.textContent = text; page.appendChild(para); }
    help.hidden = false;
    help.style.zIndex = ++Q.z;
    page.scrollTop = 0;
    page.focus({ preventScroll: true });
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
