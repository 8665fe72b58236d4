# SPDX-License-Identifier: MIT
# The warning sets of every build, the main one and the fuzz targets alike:
# the core, the tools and the tests get the strict one, the Qt view a milder
# one, as Qt's generated code trips some of the strict warnings.
# VANTRELO_WERROR makes every warning an error; CI builds turn it on.
option(VANTRELO_WERROR "Treat warnings as errors" OFF)

add_library(vantrelo_warnings INTERFACE)
target_compile_options(vantrelo_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wold-style-cast
  -Wnon-virtual-dtor -Woverloaded-virtual $<$<BOOL:${VANTRELO_WERROR}>:-Werror>)

add_library(vantrelo_gui_warnings INTERFACE)
target_compile_options(vantrelo_gui_warnings INTERFACE
  -Wall -Wextra -Wpedantic $<$<BOOL:${VANTRELO_WERROR}>:-Werror>)
