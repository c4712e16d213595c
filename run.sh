#!/usr/bin/env bash
# Installs what is missing, builds the application and starts it. On the
# first start (no settings yet, no files given) it opens a copy of the
# sample address book, so there is something to look at.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
# The settings file the application keeps its last saved book in.
settings_file() {
	local config=${XDG_CONFIG_HOME:-}
	[[ $config == /* ]] || config=$HOME/.config
	echo "$config/_LP_x-vnd.vornak-zibmo/settings"
}

# A copy of the sample book in the user's documents folder (or home): the
# application saves into the book it opened, never into the repository.
sample_copy() {
	local folder=$HOME
	if command -v xdg-user-dir >/dev/null; then
		local documents
		documents=$(xdg-user-dir DOCUMENTS 2>/dev/null || true)
		[ -n "$documents" ] && [ -d "$documents" ] && folder=$documents
	fi
	local copy="$folder/Sample Address Book.zib"
	[ -e "$copy" ] || cp packaging/sample/sample-address-book.zib "$copy"
	echo "$copy"
}

if [ $# -eq 0 ] && [ ! -e "$(settings_file)" ]; then
	copy=$(sample_copy)
	echo "First start: opening $copy"
	exec build/src/zibmo "$copy"
fi
exec build/src/zibmo "$@"
