# SPDX-License-Identifier: MIT
# The release, for project(VERSION) of the main and the fuzz builds: every
# --version, the window's title, the About box, each data sheet and the
# Debian package take it from here.
set(VANTRELO_VERSION 2.0)
