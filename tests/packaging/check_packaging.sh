#!/usr/bin/env bash
# Checks of the desktop integration files.
# Usage: check_packaging.sh desktop|metadata|install <source dir> [<build dir>]
# Exits 77 (skipped) when a needed tool is missing.
set -euo pipefail

mode=$1
source_dir=$2
build_dir=${3:-}
packaging=$source_dir/packaging
desktop=$packaging/com.vornak.ZibAddressBook.desktop
mime_xml=$packaging/larimo-addressbook.xml
types=(application/x.vnd-vornak-zibfile application/x.vnd-vornak-ziborigfile)

fail() { echo "FAIL: $*" >&2; exit 1; }

need() {
	command -v "$1" >/dev/null ||
		{ echo "SKIP: $1 not found (scripts/install-deps installs $2)"; exit 77; }
}

# Prints the value of a key of the desktop entry.
desktop_value() { sed -n "s/^$1=//p" "$desktop"; }

xpath() { xmllint --xpath "$1" "$mime_xml"; }

check_desktop() {
	need desktop-file-validate desktop-file-utils
	desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
}

check_metadata() {
	need xmllint libxml2-utils
	xmllint --noout "$mime_xml" "$packaging"/icons/*.svg

	local mime_types type
	mime_types=$(desktop_value MimeType)
	for type in "${types[@]}"; do
		[ "$(xpath "count(//*[local-name()='mime-type'][@type='$type'])")" = 1 ] ||
			fail "$type is not declared exactly once in $mime_xml"
		[[ ";$mime_types" == *";$type;"* ]] || fail "MimeType of $desktop lacks $type"
	done

	# Every icon named by the desktop entry or the MIME package is drawn.
	local icon
	for icon in $(desktop_value Icon) \
		$(xpath "//*[local-name()='icon']/@name" | sed 's/ *name="\([^"]*\)"/\1 /g'); do
		[ -f "$packaging/icons/$icon.svg" ] || fail "icon $icon has no icons/$icon.svg"
	done
}

check_install() {
	[ -n "$build_dir" ] || fail "install needs the build directory"
	local root prefix=/opt/larimo
	root=$(mktemp -d)
	trap "rm -rf '$root'" EXIT
	DESTDIR=$root cmake --install "$build_dir" --component desktop --prefix "$prefix" >/dev/null

	local share=$root$prefix/share file
	for file in \
		"$share/applications/com.vornak.ZibAddressBook.desktop" \
		"$share/mime/packages/larimo-addressbook.xml" \
		"$share/icons/hicolor/scalable/apps/com.vornak.ZibAddressBook.svg" \
		"$share/icons/hicolor/scalable/mimetypes/application-x.vnd-vornak-zibfile.svg" \
		"$share/icons/hicolor/scalable/mimetypes/application-x.vnd-vornak-ziborigfile.svg"; do
		[ -f "$file" ] || fail "not installed: ${file#"$root"}"
	done
	[ -x "$root$prefix/bin/zib-lookup" ] || fail "not installed: $prefix/bin/zib-lookup"

	# The installed package compiles into a MIME database that maps *.zib.
	if command -v update-mime-database >/dev/null; then
		XDG_DATA_DIRS=$share update-mime-database "$share/mime" || fail "update-mime-database rejects the package"
		grep -q ':application/x.vnd-vornak-zibfile:\*\.zib$' "$share/mime/globs2" ||
			fail "*.zib does not map to application/x.vnd-vornak-zibfile"
		grep -qx 'application/x.vnd-vornak-ziborigfile' "$share/mime/types" ||
			fail "application/x.vnd-vornak-ziborigfile missing from the MIME database"
	else
		echo "note: update-mime-database not found, database check left out"
	fi
}

case $mode in
	desktop) check_desktop ;;
	metadata) check_metadata ;;
	install) check_install ;;
	*) fail "unknown mode $mode" ;;
esac
echo "ok: $mode"
