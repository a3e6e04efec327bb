#!/bin/sh
# Runs a test command that is not a shell test of its own under the harness:
# with a HOME and XDG folders of its own, removed when it ends.
#   sh tests/isolated.sh COMMAND [ARGUMENT...]
. "$(dirname "$0")/harness.sh"
"$@"
