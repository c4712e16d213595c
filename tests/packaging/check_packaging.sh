#!/usr/bin/env bash
# Checks of the desktop integration files.
# Usage: check_packaging.sh desktop|metadata|manpages|install|cli <source dir> [<build dir>]
# Exits 77 (skipped) when a needed tool is missing.
set -euo pipefail

mode=$1
source_dir=$2
build_dir=${3:-}
packaging=$source_dir/packaging
desktop=$packaging/com.vornak.ZibAddressBook.desktop
mime_xml=$packaging/larimo-addressbook.xml
types=(application/x.vnd-vornak-zibfile application/x.vnd-vornak-ziborigfile)
icons=(apps/com.vornak.ZibAddressBook
	mimetypes/application-x.vnd-vornak-zibfile
	mimetypes/application-x.vnd-vornak-ziborigfile)
sizes=(16 24 32 48 64 128 256)

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

# Prints "<width> <height>" of a PNG file, from its IHDR chunk.
png_size() {
	[ "$(od -An -tx1 -N8 "$1" | tr -d ' \n')" = 89504e470d0a1a0a ] || { echo "not a PNG"; return; }
	od -An -tu1 -j16 -N8 "$1" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4,
		$5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }'
}

check_manpages() {
	need groff groff-base
	local page warnings
	for page in "$packaging"/man/*.1; do
		warnings=$(LC_ALL=C.UTF-8 groff -man -ww -z "$page" 2>&1)
		[ -z "$warnings" ] || fail "$page: $warnings"
	done
}

check_cli() {
	local zibmo=$build_dir/src/zibmo out status
	[ -x "$zibmo" ] || { echo "SKIP: $zibmo is not built"; exit 77; }
	out=$("$zibmo" --version) || fail "--version exits with $?"
	[[ $out == *"Larimo Address Book DIDE 1.0d10"* && $out == *"1.0.0 (development, internal 10)"* &&
		$out == *application/x-vnd.vornak-zibmo* ]] || fail "--version prints: $out"
	out=$("$zibmo" -h) || fail "-h exits with $?"
	[[ $out == "usage: zibmo [FILE...]"* ]] || fail "-h prints: $out"
	status=0
	out=$("$zibmo" --no-such-option 2>&1 >/dev/null) || status=$?
	[ "$status" = 2 ] && [[ $out == *usage:* ]] || fail "an unknown option gives $status: $out"
	if [ -w /dev/full ]; then
		status=0
		"$zibmo" --version >/dev/full 2>/dev/null || status=$?
		[ "$status" = 1 ] || fail "--version into a full disk exits with $status"
	fi
}

# Prints an attribute of a file as the platform stores it: the type code in
# host (little-endian) order, then the value; zero bytes shown as '@'.
attribute() { getfattr --only-values -n "user.haiku.$2" "$1" 2>/dev/null | tr '\0' '@'; }

# The Word Services registration the install writes on the executable.
check_registration() {
	command -v getfattr >/dev/null || { echo "note: getfattr not found, registration unchecked"; return; }
	[ "$(attribute "$1" WordServicesServer)" = "GNOL$(printf '\001')@@@" ] ||
		fail "WordServicesServer is not 1 on the installed zibmo"
	[ "$(attribute "$1" 'Menu String Count')" = "GNOL$(printf '\002')@@@" ] ||
		fail "Menu String Count is not 2 on the installed zibmo"
	[ "$(attribute "$1" 'Menu String 0')" = "RTSCLook Up E-Mail Address@" ] ||
		fail "Menu String 0 on the installed zibmo: $(attribute "$1" 'Menu String 0')"
	[ "$(attribute "$1" 'Menu String 1')" = "RTSCLook Up Postal Address@" ] ||
		fail "Menu String 1 on the installed zibmo: $(attribute "$1" 'Menu String 1')"
}

check_install() {
	[ -n "$build_dir" ] || fail "install needs the build directory"
	local root prefix=/opt/larimo
	root=$(mktemp -d)
	trap "rm -rf '$root'" EXIT
	DESTDIR=$root cmake --install "$build_dir" --component desktop --prefix "$prefix" >/dev/null

	local share=$root$prefix/share file icon size
	for file in \
		"$share/applications/com.vornak.ZibAddressBook.desktop" \
		"$share/mime/packages/larimo-addressbook.xml" \
		"$share/larimo-addressbook/sample-address-book.zib" \
		"$share/man/man1/zibmo.1" \
		"$share/man/man1/zib-lookup.1" \
		"$share/man/man1/zib-book.1"; do
		[ -f "$file" ] || fail "not installed: ${file#"$root"}"
	done
	cmp -s "$share/larimo-addressbook/sample-address-book.zib" "$packaging/sample/sample-address-book.zib" ||
		fail "the installed sample book differs from packaging/sample"
	for icon in "${icons[@]}"; do
		[ -f "$share/icons/hicolor/scalable/$icon.svg" ] || fail "not installed: scalable/$icon.svg"
		for size in "${sizes[@]}"; do
			file=$share/icons/hicolor/${size}x$size/$icon.png
			[ -f "$file" ] || fail "not installed: ${size}x$size/$icon.png"
			[ "$(png_size "$file")" = "$size $size" ] ||
				fail "${size}x$size/$icon.png is $(png_size "$file")"
		done
	done
	[ -x "$root$prefix/bin/zib-lookup" ] || fail "not installed: $prefix/bin/zib-lookup"
	# The installed zib-book finds its import and export helper.
	"$root$prefix/bin/zib-book" export "$share/larimo-addressbook/sample-address-book.zib" \
		>"$root/sample.vcf" || fail "the installed zib-book does not export"
	grep -q '^BEGIN:VCARD' "$root/sample.vcf" || fail "the installed zib-book exports no cards"
	# ... and its print helper.
	"$root$prefix/bin/zib-book" print "$share/larimo-addressbook/sample-address-book.zib" \
		--style labels -o "$root/labels.pdf" || fail "the installed zib-book does not print"
	[ "$(head -c 5 "$root/labels.pdf")" = "%PDF-" ] || fail "the installed zib-book prints no PDF"
	if [ -x "$build_dir/src/zibmo" ]; then
		[ -x "$root$prefix/bin/zibmo" ] || fail "not installed: $prefix/bin/zibmo"
		check_registration "$root$prefix/bin/zibmo"
	fi
	if command -v desktop-file-validate >/dev/null; then
		desktop-file-validate "$share/applications/com.vornak.ZibAddressBook.desktop" ||
			fail "desktop-file-validate rejects the installed entry"
	fi

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
	manpages) check_manpages ;;
	install) check_install ;;
	cli) check_cli ;;
	*) fail "unknown mode $mode" ;;
esac
echo "ok: $mode"
