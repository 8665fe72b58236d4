# SPDX-License-Identifier: MIT
# The warning set of every build, the main one and the fuzz targets alike:
# the core, the Qt view (with its moc output), the tools and the tests.
# VANTRELO_WERROR makes every warning an error; CI builds turn it on.
option(VANTRELO_WERROR "Treat warnings as errors" OFF)

add_library(vantrelo_warnings INTERFACE)
target_compile_options(vantrelo_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wold-style-cast
  -Wnon-virtual-dtor -Woverloaded-virtual $<$<BOOL:${VANTRELO_WERROR}>:-Werror>)
