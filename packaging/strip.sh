#!/bin/sh
# Strips a packaged program as Debian's dh_strip does: no symbols the program does not need, and neither the
# compiler's .comment nor the .note section (the build id, in .note.gnu.build-id, stays).
exec strip --remove-section=.comment --remove-section=.note --strip-unneeded "$@"
