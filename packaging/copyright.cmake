# Makes the machine-readable Debian copyright file from LICENSE, which stays the one text:
#   cmake -DLICENSE=LICENSE -DOUT=copyright -P copyright.cmake
file(READ "${LICENSE}" text)
if(NOT text MATCHES "Copyright \\(c\\) ([^\n]+)\n+(Permission .*)$")
    message(FATAL_ERROR "${LICENSE}: no 'Copyright (c)' line followed by the permission text")
endif()
set(holder "${CMAKE_MATCH_1}")
string(STRIP "${CMAKE_MATCH_2}" terms)
# Continuation lines start with a space; an empty line is written as " .".
string(REPLACE "\n\n" "\n.\n" terms "${terms}")
string(REPLACE "\n" "\n " terms "${terms}")
file(WRITE "${OUT}" "\
Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Zintor
Comment: The MIT licence, called Expat here as Debian does; see LICENSE in the source.

Files: *
Copyright: ${holder}
License: Expat
 ${terms}
")
