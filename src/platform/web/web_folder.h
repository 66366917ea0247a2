// SPDX-License-Identifier: GPL-3.0-or-later
// The page's home folder kept in the browser's IndexedDB, and the kept
// game's claim: the JavaScript functions of folder.js. Each waits
// (ASYNCIFY); a fault's text goes into the buffer and 1 is returned.
#pragma once

extern "C" {

// Mounts the folder on IndexedDB and loads what the browser holds of it.
int quibbly_folder_mount(const char* path, char* fault, int size);
// A section of changes to the folder, under the lock all the game's tabs
// share: the outermost begin loads what other tabs stored since, every end
// stores what changed here; sections nest.
int quibbly_folder_begin(char* fault, int size);
int quibbly_folder_end(char* fault, int size);
// 1 when this page holds the kept game's lock (for its life), else 0.
int quibbly_claim();
// From now on a tab brought back to the front queues the event "v".
void quibbly_watch_front();
}
