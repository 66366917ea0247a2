// SPDX-License-Identifier: GPL-3.0-or-later
// The page's side of the web front end: the short list of JavaScript
// functions in page.js that the C++ layer calls. Texts cross as Latin-1
// bytes, the game's own text; sizes and places are CSS pixels.
#pragma once

extern "C" {

// Puts a window's element on the page (replacing an older one of the same
// window) from its markup, hidden.
void quibbly_open(int window, const char* html);
// Shows or hides a window; a shown one is placed and brought to the front.
void quibbly_show(int window, int shown, int left, int top);
void quibbly_caption(int window, const char* caption);
// The state of a control: flags 1 enabled, 2 visible, 4 checked or
// selected; number and text as the control's kind reads them.
void quibbly_state(int window, int control, int flags, int number, const char* text);
void quibbly_focus(int window, int control);
// What assistive tools read for a control: a name (none: its caption or its
// heading) and a description.
void quibbly_aria(int window, int control, const char* name, const char* description);
// Said at once by a screen reader, through the page's live region.
void quibbly_say(const char* words);
// Gives the player a file of the game folder, as a download of name.
void quibbly_download(const char* name, const char* bytes, int size);
// The page's room for windows: which 0 its width, 1 its height.
int quibbly_room(int which);

// The next of the page's events in the form "kind window control number
// text", or 0 when none waits.
int quibbly_take_event(char* buffer, int size);
// These four wait (ASYNCIFY): the handler that called them goes on after.
void quibbly_wait_event();             // until an event waits
void quibbly_sleep(int milliseconds);  // ignoring the player's input
void quibbly_paint();                  // until the page has painted
int quibbly_message_box(const char* text, const char* title, int icon, int buttons);  // 0 OK, 1 Yes, 2 No

void quibbly_clipboard(const char* text);
void quibbly_short_date(char* buffer, int size);
void quibbly_help(const char* text);
void quibbly_end();
// The test hook's seed of the draws (?draws=N in the page's address), or -1.
double quibbly_test_seed();
}
