#!/bin/sh
# The desktop entry and the AppStream metainfo pass their validators.
set -eu
. "$(dirname "$0")/../harness.sh"
dist=$1/dist
status=0
desktop-file-validate "$dist/io.github.tamaro.Tamaro.desktop" || status=1
appstreamcli validate --no-net --explain "$dist/io.github.tamaro.Tamaro.metainfo.xml" || status=1
exit $status
