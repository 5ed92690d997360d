#!/bin/sh
# Shows the system calls of one recorded sale: the journal's removal (unlink)
# must be followed by opening the folder and an fdatasync of it, or a power cut
# right after the commit could bring the journal back and roll the sale away.
# Usage: bench/data/commit_sync.sh <build folder>
set -e
strace -f -e trace=openat,close,unlink,fsync,fdatasync,write "$1/bench/data/bench_commit_sync" 2>&1 \
    | sed -n '/-- sale/,/-- recorded/p' | grep -v localtime
