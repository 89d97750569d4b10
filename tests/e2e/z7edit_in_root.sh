#!/bin/sh
# z7edit inside another system's root, for the end-to-end scenarios
# (--z7edit tests/e2e/z7edit_in_root.sh; scripts/stages/62-portable-linux.sh):
#   Z7_ROOT          the root, a minimal Debian made by debootstrap
#   Z7_ROOT_PROGRAM  the program's path inside it
# It runs in a mount namespace of its own, which ends with it: the root gets
# its /proc and the host's /tmp, which holds the X server's socket and the
# scenario's prefixes and home at the same paths as outside. Each step execs
# the next, so the program keeps the process id by which the scenarios find
# its windows. Needs root.
set -eu
# shellcheck disable=SC2016 # the inner shell expands them
exec unshare --mount --propagation private sh -eu -c '
    mount -t proc proc "$Z7_ROOT/proc"
    mount --rbind /tmp "$Z7_ROOT/tmp"
    exec chroot "$Z7_ROOT" "$Z7_ROOT_PROGRAM"
'
