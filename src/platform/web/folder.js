// SPDX-License-Identifier: GPL-3.0-or-later
// The page's home folder kept in the browser: emscripten's IDBFS holds the
// files in IndexedDB, but its whole-tree sync would let a tab with an older
// copy overwrite or delete another tab's newer files. So every change is one
// section under a Web Lock shared by all the game's tabs: it first loads what
// IndexedDB holds and has changed since this page last saw it, then the
// program writes, then the section stores just what changed here, in one
// transaction. web_folder.h lists these functions.
mergeInto(LibraryManager.library, {
  $F__deps: ['$FS', '$IDBFS', '$Q'],
  $F: {
    root: '', off: '', depth: 0, release: null, claim: false,
    // What IndexedDB holds, as this page last loaded or stored it: path to
    // the file's time in ms (each write moves it). A file here is only ever
    // removed when another tab has removed it; one this page wrote and could
    // not store stays, and is stored with the next change.
    known: {},
    store: function (db, mode) { return db.transaction([IDBFS.DB_STORE_NAME], mode).objectStore(IDBFS.DB_STORE_NAME); },
    done: function (request) {
      return new Promise(function (ok, fail) {
        request.onsuccess = function () { ok(request.result); };
        request.onerror = function (e) { e.preventDefault(); fail(request.error); };
      });
    },
    db: function () {
      return new Promise(function (ok, fail) { IDBFS.getDB(F.root, function (e, db) { if (e) fail(e); else ok(db); }); });
    },
    reason: function (e) { return String((e && (e.message || e.name)) || e || 'an unknown fault'); },
    // ReplaceFile's temporary files beside their target are this page's own.
    temporary: function (path) { return /\/\.[^/]*\.[A-Za-z0-9]{6}$/.test(path); },
    // A folder is only ever stored new or removed; its time moves with
    // every file made in it and means nothing to another tab.
    stamp: function (mode, time) { return FS.isDir(mode) ? 'folder' : String(time.getTime()); },
    local: function () {
      var files = {};
      IDBFS.getLocalSet({ mountpoint: F.root }, function (e, set) {
        if (e) throw e;
        Object.keys(set.entries).forEach(function (path) {
          var stat = FS.stat(path);
          if (!F.temporary(path)) files[path] = F.stamp(stat.mode, stat.mtime);
        });
      });
      return files;
    },
    // Brings in what other tabs stored or removed since this page looked:
    // the times of all, then the files whose time has moved, in one
    // transaction.
    load: async function () {
      var store = F.store(await F.db(), 'readonly'), seen = {}, fetched = [];
      await new Promise(function (ok, fail) {
        var cursor = store.index('timestamp').openKeyCursor();
        cursor.onerror = function (e) { e.preventDefault(); fail(cursor.error); };
        cursor.onsuccess = function () {
          var at = cursor.result;
          if (!at) return ok();
          seen[at.primaryKey] = true;
          var known = F.known[at.primaryKey];
          if (known !== 'folder' && known !== String(at.key.getTime())) fetched.push(at.primaryKey);
          at.continue();
        };
      });
      fetched.sort();  // a folder before its files
      var entries = await Promise.all(fetched.map(function (path) { return F.done(store.get(path)); }));
      fetched.forEach(function (path, i) {
        IDBFS.storeLocalEntry(path, entries[i], function (e) { if (e) throw e; });
        var stat = FS.stat(path);
        F.known[path] = F.stamp(stat.mode, stat.mtime);
      });
      Object.keys(F.known).sort().reverse().forEach(function (path) {
        if (seen[path]) return;
        try { if (FS.isDir(FS.stat(path).mode)) FS.rmdir(path); else FS.unlink(path); } catch (e) {}  // a folder with a file of this page's own stays
        delete F.known[path];
      });
    },
    // What changed here since the last load or store: [path, entry or null].
    changes: function () {
      var files = F.local(), list = [];
      Object.keys(files).forEach(function (path) {
        if (F.known[path] === files[path]) return;
        IDBFS.loadLocalEntry(path, function (e, entry) { if (e) throw e; list.push([path, entry, files[path]]); });
      });
      Object.keys(F.known).forEach(function (path) { if (!(path in files)) list.push([path, null]); });
      return list;
    },
    save: async function (list) {
      var store = F.store(await F.db(), 'readwrite');
      var written = new Promise(function (ok, fail) {
        store.transaction.oncomplete = ok;
        store.transaction.onerror = function (e) { e.preventDefault(); fail(store.transaction.error); };
        store.transaction.onabort = function () { fail(store.transaction.error || 'the browser refused to keep it'); };
      });
      try {
        list.forEach(function (change) { if (change[1]) store.put(change[1], change[0]); else store.delete(change[0]); });
      } catch (e) { store.transaction.abort(); throw e; }
      await written;
      list.forEach(function (change) { if (change[1]) F.known[change[0]] = change[2]; else delete F.known[change[0]]; });
    },
    // Without Web Locks (a page not served from a secure address, or one
    // that refuses them) each tab is on its own, as two desktops sharing
    // nothing are.
    lock: function () {
      if (!navigator.locks) return Promise.resolve();
      return new Promise(function (held) {
        navigator.locks.request('quibbly-folder', function () {
          return new Promise(function (release) { F.release = release; held(); });
        }).catch(function () { held(); });
      });
    },
    unlock: function () { var release = F.release; F.release = null; if (release) release(); },
    // A section from JavaScript: the tab brought back to the front loads the
    // folder again (the program calls it between events).
    begin: async function () {
      await F.lock();
      try { await F.load(); return ''; } catch (e) { return F.reason(e); }
    }
  },

  // Mounts the home folder on IndexedDB and loads it; the fault, if any, is
  // then the page's for good: the files last only while the page is open.
  quibbly_folder_mount__deps: ['$F'],
  quibbly_folder_mount: function (path, fault, size) {
    var root = UTF8ToString(path);
    return Asyncify.handleSleep(function (wake) {
      try {
        FS.mkdirTree(root);
        FS.mount(IDBFS, {}, root);
        F.root = root;
      } catch (e) { F.off = F.reason(e); Q.put(F.off, fault, size); return wake(1); }
      F.depth = 1;
      F.begin().then(function (why) {
        F.depth = 0; F.unlock();
        if (why) { F.off = why; Q.put(why, fault, size); }
        wake(why ? 1 : 0);
      });
    });
  },
  quibbly_folder_begin__deps: ['$F'],
  quibbly_folder_begin: function (fault, size) {
    return Asyncify.handleSleep(function (wake) {
      if (!F.root || F.off || F.depth++ > 0) return wake(0);
      F.begin().then(function (why) { Q.put(why, fault, size); wake(why ? 1 : 0); });
    });
  },
  quibbly_folder_end__deps: ['$F'],
  quibbly_folder_end: function (fault, size) {
    return Asyncify.handleSleep(function (wake) {
      if (!F.root || F.off || F.depth == 0) return wake(0);
      var last = --F.depth == 0, list;
      try { list = F.changes(); } catch (e) { Q.put(F.reason(e), fault, size); if (last) F.unlock(); return wake(1); }
      if (!list.length) { if (last) F.unlock(); return wake(0); }
      F.save(list).then(function () { return ''; }, F.reason).then(function (why) {
        if (last) F.unlock();
        Q.put(why, fault, size);
        wake(why ? 1 : 0);
      });
    });
  },
  // The kept game belongs to the first tab that asks; the lock is the
  // page's until it closes.
  quibbly_claim__deps: ['$F'],
  quibbly_claim: function () {
    return Asyncify.handleSleep(function (wake) {
      if (F.claim || !navigator.locks) return wake(1);
      navigator.locks.request('quibbly-kept-game', { ifAvailable: true }, function (lock) {
        F.claim = !!lock;
        wake(lock ? 1 : 0);
        return lock ? new Promise(function () {}) : null;
      }).catch(function () { F.claim = true; wake(1); });
    });
  },
  quibbly_watch_front__deps: ['$Q'],
  quibbly_watch_front: function () {
    document.addEventListener('visibilitychange', function () { if (document.visibilityState == 'visible') Q.push('v', -1, -1, 0); });
  }
});
