# SPDX-License-Identifier: MIT
"""The one way a harness reports a failed check.

A check that fails raises Failure; a test that goes on after a failed check,
to tell every fault one run meets, collects them in Checks and raises them
together at its end. run() is every test script's entry: it turns a Failure
into one report (FAIL, the script's line, the message) and exit code 1."""
import os
import subprocess
import sys
import time
import traceback

HARNESS = os.path.dirname(os.path.abspath(__file__))


class Failure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(predicate, what, timeout=20.0):
    """Polls until predicate() is truthy and returns its value. The timeout
    only keeps a broken program from hanging the test; nothing is timed."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure('waited in vain for ' + what)
        time.sleep(0.03)


def exit_code(process, timeout, what='the program'):
    """The process's exit code once it has ended; a Failure if it still runs."""
    try:
        return process.wait(timeout)
    except subprocess.TimeoutExpired:
        raise Failure('%s still runs %g s later' % (what, timeout)) from None


class Checks:
    """Checks that let the test go on when one fails; verify() raises what
    failed as one Failure."""

    def __init__(self):
        self.failed = []

    def expect(self, condition, message):
        if not condition:
            self.failed.append(message)
        return condition

    def fail(self, message):
        self.failed.append(message)

    def verify(self):
        check(not self.failed, '\n'.join(self.failed))


def run(main, *args, case=None, on_failure=None):
    """Runs a test's main(*args) and returns the script's exit code. A
    Failure is reported once, on standard error, with the line of the test
    script (not of the harness) that met it: a failure that shows now and
    then is found by its line. on_failure() adds what helps to look into it."""
    try:
        status = main(*args)
    except Failure as failure:
        frames = [f for f in traceback.extract_tb(failure.__traceback__) if not f.filename.startswith(HARNESS)]
        where = '%s line %d' % (os.path.basename(frames[-1].filename), frames[-1].lineno) if frames else 'harness'
        lines = str(failure).split('\n')
        print('FAIL (%s): %s' % (', '.join(filter(None, (case, where))), lines[0]), file=sys.stderr)
        for line in lines[1:]:
            print('FAIL: ' + line, file=sys.stderr)
        if on_failure:
            on_failure()
        return 1
    return status or 0
