# SPDX-License-Identifier: MIT
"""Runs Orca with its debug log written line by line, so that a test can
read what Orca says while it runs; Orca itself leaves the log to Python's
block buffering until it ends.
    line_buffered_orca.py LOG ORCA-ARGUMENT..."""

import builtins
import runpy
import sys

log_path = sys.argv[1]
sys.argv = ["orca", "--debug-file=" + log_path] + sys.argv[2:]
_open = builtins.open


def _open_log_line_buffered(file, mode="r", buffering=-1, *args, **kwargs):
    if file == log_path and "w" in mode:
        buffering = 1
    return _open(file, mode, buffering, *args, **kwargs)


builtins.open = _open_log_line_buffered
runpy.run_path("/usr/bin/orca", run_name="__main__")
