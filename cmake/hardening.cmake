# SPDX-License-Identifier: MIT
# The hardening Debian builds its packages with, for the optimised builds:
# position-independent executables, a read-only relocation table bound at
# start, checked buffer functions and a stack protector. The sanitizer and
# fuzz builds are debug builds and do without.
if(CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  add_compile_options(-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2 -fstack-protector-strong)
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
