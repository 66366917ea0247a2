#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A whole game played as a screen reader's user plays it: through AT-SPI
alone, as Orca sees the program. Typing goes through EditableText, presses
through Action, and the computer's guess is read from what the focused
object exposes. Checked on the way: the words each turn brings with the
focus, that the focus moves once per turn and no other object keeps the
focused state, the letter markers' names and their change events, the
labels tied to the headings, the windows' names and the statistics.

Run by run_atspi_test.sh inside Xvfb and a session bus of its own:
play_by_atspi.py QUIBBLY_PROGRAM DATA_FOLDER
"""

import os
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import GLib  # noqa: E402
import pyatspi  # noqa: E402

PROGRAM, DATA = sys.argv[1], sys.argv[2]
MY_WORD = "HOUSE"
# Seconds to wait at each turn, so that a screen reader listening beside the
# test keeps up with it (docs/accessibility.md); none for the test alone.
PACE = float(os.environ.get("QUIBBLY_ATSPI_PACE", "0"))
QUESTION = "How many letters did I get right?"
failures = []
focus_log = []  # (role, name, description) of each object that took the focus
name_changes = []
notifications = []  # what shows to be said at once


def check(ok, what):
    print(("ok    " if ok else "FAIL  ") + what, flush=True)
    if not ok:
        failures.append(what)


def pump(seconds=0.0):
    """Lets the program and the event listeners run for a while."""
    end = time.time() + seconds
    context = GLib.MainContext.default()
    while True:
        while context.pending():
            context.iteration(False)
        if time.time() >= end:
            return
        time.sleep(0.02)


def wait_for(test, what, timeout=20.0):
    end = time.time() + timeout
    while time.time() < end:
        pump()
        result = test()
        if result:
            return result
        time.sleep(0.05)
    raise SystemExit("gave up waiting for " + what)


def on_focus(event):
    if event.detail1 != 1:
        return
    source = event.source
    top = source
    while top.parent is not None and top.parent.getRoleName() != "application":
        top = top.parent
    if top.getRoleName() in ("alert", "dialog"):
        return  # a message box takes the focus while it shows, as any does
    focus_log.append((source.getRoleName(), source.name, source.description))


def on_name(event):
    name_changes.append(event.source.name)


def on_showing(event):
    if event.detail1 == 1 and event.source.getRoleName() == "notification":
        notifications.append(event.source.name)


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def find(node, role=None, name=None, showing=True):
    for obj in walk(node):
        if role is not None and obj.getRoleName() != role:
            continue
        if name is not None and obj.name != name:
            continue
        if showing and not obj.getState().contains(pyatspi.STATE_SHOWING):
            continue
        return obj
    return None


def app():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        candidate = desktop.getChildAtIndex(i)
        if candidate is not None and candidate.name == "Quibbly":
            return candidate
    return None


def window(name):
    a = app()
    for i in range(a.childCount):
        frame = a.getChildAtIndex(i)
        if frame is not None and frame.name == name and frame.getState().contains(pyatspi.STATE_SHOWING):
            return frame
    return None


def press(obj):
    action = obj.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click", "Toggle", "toggle"):
            action.doAction(i)
            return
    action.doAction(0)


def choose(menu, item):
    """A menu item chosen through its action, as a screen reader's user does."""
    bar = find(window("Quibbly"), "menu bar")
    top = find(bar, "menu item", menu)
    press(find(top, "menu item", item, showing=False))


def answer_box(expected_start=None, button="OK"):
    """Presses a button of the message box that shows, and returns its text."""
    box = wait_for(lambda: next((f for f in frames() if f.getRoleName() in ("alert", "dialog")), None),
                   "a message box")
    text = " ".join(o.name for o in walk(box) if o.getRoleName() == "label" and o.name)
    if expected_start is not None:
        check(expected_start in text, "the box says %r (it says %r)" % (expected_start, text))
    press(wait_for(lambda: find(box, "push button", button), button + " in the box"))
    wait_for(lambda: not box.getState().contains(pyatspi.STATE_SHOWING) or box not in frames(), "the box to go")
    return text


def frames():
    a = app()
    return [a.getChildAtIndex(i) for i in range(a.childCount)
            if a.getChildAtIndex(i) is not None and a.getChildAtIndex(i).getState().contains(pyatspi.STATE_SHOWING)]


def focused_in(node):
    return [(o.getRoleName(), o.name) for o in walk(node)
            if o.getState().contains(pyatspi.STATE_FOCUSED)]


def count(guess, word):
    return sum(1 for letter in guess if letter in word)


def labelled_by(obj):
    names = []
    for relation in obj.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return names


def label_for(obj):
    names = []
    for relation in obj.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABEL_FOR:
            names += [relation.getTarget(i).getRoleName() for i in range(relation.getNTargets())]
    return names


def player_guesses():
    """Dictionary words that cannot be the computer's word at Expert (it draws from Hard's words)."""
    def words(name):
        with open(os.path.join(DATA, name), encoding="latin-1") as f:
            return [line.strip() for line in f.readlines()[1:] if len(line.strip()) == 5]
    hard = set(words("hard.wtf"))
    return [w for w in words("master.wtf") if w not in hard and w != MY_WORD][::97]


def main():
    home = tempfile.mkdtemp(prefix="quibbly-atspi-")
    env = dict(os.environ, XDG_DATA_HOME=home, HOME=home, QT_QPA_PLATFORM="xcb",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_SCALE_FACTOR="1")
    game = subprocess.Popen([PROGRAM], env=env)
    try:
        play(game)
    finally:
        game.kill()
        game.wait()
    if failures:
        print("%d checks failed" % len(failures))
        sys.exit(1)
    print("every check passed")


def play(game):
    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    pyatspi.Registry.registerEventListener(on_name, "object:property-change:accessible-name")
    pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")
    wait_for(app, "the program on the bus")
    check(wait_for(lambda: find(app(), "frame", "Quibbly is starting", showing=False) or window("Quibbly"),
                   "the start-up window") is not None, "the start-up window has a name")
    main_window = wait_for(lambda: window("Quibbly"), "the main window")

    # Every heading is the label of its box or list.
    your_guess = find(main_window, "text", "Your Guess", showing=False)
    check(labelled_by(your_guess) == ["Your Guess"], "Your Guess is labelled by its heading")
    heading = find(main_window, "label", "My Old Guesses")
    check(label_for(heading) == ["list"], "My Old Guesses is the label of its list")

    choose("Level", "Expert")
    your_word = wait_for(lambda: find(main_window, "text", "Your Word"), "Your Word")
    your_word.queryEditableText().setTextContents(MY_WORD)
    pump(0.3)
    check(your_word.queryText().getText(0, -1) == MY_WORD, "the word typed stands in Your Word")
    focus_log.clear()
    choose("Game", "Start")

    guesses = iter(player_guesses())
    computer_turns = 0
    marked = False
    after_box = False
    for turn in range(40):
        role, name, description = wait_for(lambda: focus_log[-1] if focus_log else None, "the turn's focus")
        pump(0.3 + PACE)
        # After a message box the desktop gives the keyboard back where it was
        # before the box; from there it moves once.
        moves = focus_log[1:] if after_box and focus_log[0][1] == "Your Guess" else focus_log
        check(len(moves) == 1, "turn %d: the focus moves once, to %r (it went %r)" % (turn, name, focus_log))
        check(len(focused_in(main_window)) == 1,
              "turn %d: one object is focused (%r)" % (turn, focused_in(main_window)))
        focus_log.clear()
        if name == "0":
            computer_turns += 1
            check(description.startswith("My guess is ") and description.endswith(". " + QUESTION),
                  "turn %d: the answer that takes the focus says the guess: %r" % (turn, description))
            guess = description[len("My guess is "):len("My guess is ") + 5]
            if guess == MY_WORD:
                press(find(main_window, "push button", "Correct Word"))
                answer_box("I guessed your word!!")
                answer_box("My word was")
                answer_box("Would you like to play again?", "No")
                break
            press(find(main_window, "push button", str(count(guess, MY_WORD))))
            last_guess = guess
            after_box = False
        else:
            check(role == "text" and name == "Your Guess", "turn %d: the player's turn focuses Your Guess" % turn)
            check(description.endswith("It's Your Turn"), "turn %d: it says whose turn: %r" % (turn, description))
            if computer_turns > 0:
                said = "%s: %d letter" % (last_guess, count(last_guess, MY_WORD))
                check(description.startswith(said), "turn %d: the count given is said: %r" % (turn, description))
            if not marked:
                marked = True
                mark_a_letter(main_window)
                your_guess.queryComponent().grabFocus()  # back to the guess, as Tab brings it
                wait_for(lambda: your_guess.getState().contains(pyatspi.STATE_FOCUSED), "Your Guess again")
                pump(0.2)
                focus_log.clear()
            guess = next(guesses)
            box = find(main_window, "text", "Your Guess")
            box.queryEditableText().setTextContents(guess)
            press(find(main_window, "push button", "Guess"))
            answer_box(guess + " - ")
            after_box = True
    else:
        check(False, "the computer found the word within 40 turns")
    check(computer_turns >= 2, "the computer took %d turns" % computer_turns)

    look_at_the_records()
    pump(3 * PACE)


def mark_a_letter(main_window):
    """Each press names the marker's new state and tells the screen reader so."""
    letter = find(main_window, "push button", "E, not marked")
    check(letter is not None, "a marker says its state: E, not marked")
    letter.queryComponent().grabFocus()  # as Tab brings it, so that a screen reader speaks its changes
    wait_for(lambda: letter.getState().contains(pyatspi.STATE_FOCUSED), "the marker's focus", timeout=5)
    for state in ("E, not in the word", "E, in the word", "E, not marked"):
        name_changes.clear()
        notifications.clear()
        press(letter)
        wait_for(lambda: letter.name == state, state, timeout=5)
        pump(0.2 + PACE)
        check(state in name_changes and notifications == [state],
              "the change to %r is told (%r, said %r)" % (state, name_changes, notifications))


def look_at_the_records():
    choose("Game", "Winners")
    winners = wait_for(lambda: window("Winners"), "the winners window has a name")
    press(find(winners, "push button", "OK"))
    answer_box("Would you like to play again?", "No")

    choose("Game", "Statistics")
    statistics = wait_for(lambda: window("Statistics"), "the statistics window")
    check(find(statistics, "label", "Played: 1") is not None, "a figure is read with its caption")
    options = [o.name for o in walk(statistics) if o.getRoleName() == "radio button"]
    check(options == ["Easy", "Medium", "Hard", "Expert"], "the levels are option buttons: %r" % options)
    chart = find(statistics, "list", "My guesses to find your word")
    check(chart is not None and chart.getState().contains(pyatspi.STATE_FOCUSABLE), "a chart takes the keyboard")
    bars = [chart.getChildAtIndex(i).name for i in range(chart.childCount)]
    check(any(b.endswith("1 game, the last game among them") for b in bars), "a chart reads bar by bar: %r" % bars)
    focus_log.clear()
    chart.queryComponent().grabFocus()  # as Tab brings it: the bar in hand is said
    role, name, _ = wait_for(lambda: focus_log[-1] if focus_log else None, "the chart's focus", timeout=5)
    check(role == "list item" and name == bars[0], "the chart's first bar takes the focus: %r" % name)
    heading = find(statistics, "label", "My Guesses to Find Your Word")
    check(label_for(heading) == ["list"], "the chart's heading is its label")


main()
