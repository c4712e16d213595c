#!/usr/bin/env bash
# Installs what is missing, builds the application and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
if [ ! -x build/src/zibmo ]; then
	echo "The address-book core and its tests are built; the main window that"
	echo "this command will start is not part of the program yet."
	exit 0
fi
exec build/src/zibmo "$@"
