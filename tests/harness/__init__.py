# SPDX-License-Identifier: MIT
"""The Python harness of the tests that drive the program as a player does:
the desktop's real-pointer and accessibility suites (tests/desktop), the
page's browser cases (tests/web) and the page's benchmark rows
(bench/web_bench.py). The tests' registrations put the folder above this
package (tests/) on PYTHONPATH.

  checks        Failure, check, wait_for, Checks and run(): the one way a
                failed check is reported
  session       screenshots and the game's process, whatever the window system
  xsession      a private X server (Xvfb, XTest), and the game on it
  waylandsession a private headless sway, and the game on it
  layout        the main window's design table, read from the sources
  browser       Chromium, Firefox and WebKit behind one interface
"""
