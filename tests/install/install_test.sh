#!/usr/bin/env bash
# install_test.sh BUILD_DIR VERSION RELEASE_DATE APP_ID GUI(0|1)
#
# `cmake --install` into a temporary DESTDIR, then the installed files as a
# desktop sees them: the validators (desktop-file-validate without a hint,
# appstreamcli, xmllint), every manual page rendered by man without a
# warning, both completion scripts loaded by their shells from the installed
# place, the versions, and the file types: a .CTL is a Lexvane Text List,
# Lexvane is its default application, and opening it as a double click does
# (gio open, xdg-open) starts Lexvane with it.
set -euo pipefail

build=$1 version=$2 release_date=$3 app_id=$4 gui=$5
root=$(mktemp -d "${TMPDIR:-/tmp}/lexvane-install.XXXXXX")
trap 'rm -rf "$root"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
need() { # need TOOL PACKAGE
    command -v "$1" >/dev/null || { echo "FAIL: $1 is missing (Debian package $2; make deps installs it)" >&2; exit 1; }
}
need man man-db
need xmllint libxml2-utils
if [ "$gui" = 1 ]; then
    need desktop-file-validate desktop-file-utils
    need appstreamcli appstream
    need update-mime-database shared-mime-info
    need update-desktop-database desktop-file-utils
    need xdg-mime xdg-utils
    need gio libglib2.0-bin
fi
completion=/usr/share/bash-completion/bash_completion
[ -f "$completion" ] || { echo "FAIL: bash-completion is missing (make deps installs it)" >&2; exit 1; }

prefix=/usr
DESTDIR="$root/dest" cmake --install "$build" --prefix "$prefix" >"$root/install.log"
usr=$root/dest$prefix
share=$usr/share

# ---- what is installed ----
expect=(bin/lexvane-cli share/man/man1/lexvane-cli.1
        share/bash-completion/completions/lexvane-cli share/zsh/site-functions/_lexvane-cli)
if [ "$gui" = 1 ]; then
    expect+=(bin/lexvane share/man/man1/lexvane.1 "share/applications/$app_id.desktop"
             share/mime/packages/lexvane.xml "share/metainfo/$app_id.metainfo.xml"
             share/icons/hicolor/scalable/apps/lexvane.svg)
    for size in 16 22 24 32 48 64 128 256 512; do
        expect+=("share/icons/hicolor/${size}x${size}/apps/lexvane.png")
    done
fi
for file in "${expect[@]}"; do
    [ -s "$usr/$file" ] || fail "not installed: $prefix/$file"
done

# ---- versions ----
[ "$("$usr/bin/lexvane-cli" --version)" = "lexvane-cli $version" ] ||
    fail "lexvane-cli --version: $("$usr/bin/lexvane-cli" --version)"
for page in "$share"/man/man1/*.1; do
    grep -q "^\.TH .* \"Lexvane $version\"" "$page" || fail "$page does not show version $version"
done

# ---- the plot drawing: a module the installed program finds on its own ----
printf 'The tide came in. The tide went out.\n' >"$root/tide.txt"
QT_QPA_PLATFORM= "$usr/bin/lexvane-cli" plot -m tide --svg "$root/tide.svg" "$root/tide.txt" \
    >"$root/plot.log" 2>&1 || fail "the installed lexvane-cli cannot plot: $(cat "$root/plot.log")"
grep -q "<svg" "$root/tide.svg" 2>/dev/null || fail "the installed lexvane-cli drew no SVG"
ldd "$usr/bin/lexvane-cli" | grep -q Qt && fail "lexvane-cli loads Qt at start-up"

# ---- manual pages: rendered without a warning ----
for page in "$share"/man/man1/*.1; do
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >"$root/page.txt") ||
        fail "man -l $page failed"
    [ -z "$warnings" ] || fail "man -l $page warns: $warnings"
    grep -q "EXIT STATUS" "$root/page.txt" || fail "$page has no EXIT STATUS"
    grep -q "EXAMPLES" "$root/page.txt" || fail "$page has no EXAMPLES"
done

# ---- completion: each shell loads it from where it was installed ----
loaded=$(XDG_DATA_DIRS="$share:/usr/share" bash -c "
    source $completion
    _completion_loader lexvane-cli
    complete -p lexvane-cli" 2>&1) || true
[[ $loaded == *"-F _lexvane_cli"*"lexvane-cli" ]] || fail "bash does not load the completion: $loaded"
if command -v zsh >/dev/null; then
    loaded=$(zsh -f -c "fpath=('$share/zsh/site-functions' \$fpath)
        autoload -Uz compinit && compinit -u -d '$root/zcompdump'
        print -r -- \${_comps[lexvane-cli]}" 2>&1) || true
    [ "$loaded" = "_lexvane-cli" ] || fail "zsh does not load the completion: $loaded"
else
    echo "zsh is not installed: its completion is not loaded"
fi

if [ "$gui" = 1 ]; then
    # ---- the desktop program ----
    got=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/lexvane" --version)
    [ "$got" = "Lexvane $version" ] || fail "lexvane --version without a display: $got"
    # Every option of its --help is in its manual page.
    for option in $(env -u DISPLAY "$usr/bin/lexvane" --help |
        sed -n 's/^  \(-[^ ]*\( -[^ ]*\)\?\).*/\1/p' | tr -d ','); do
        grep -qF -- "${option//-/\\-}" "$share/man/man1/lexvane.1" ||
            fail "lexvane $option is not in its manual page (data/man/lexvane.1.in)"
    done

    # ---- validators ----
    desktop=$share/applications/$app_id.desktop
    out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
    [ -z "$out" ] || fail "desktop-file-validate has something to say: $out"
    metainfo=$share/metainfo/$app_id.metainfo.xml
    appstreamcli validate --no-net "$metainfo" >"$root/appstream.log" 2>&1 ||
        fail "appstreamcli validate: $(cat "$root/appstream.log")"
    for xml in "$share/mime/packages/lexvane.xml" "$metainfo" \
        "$share/icons/hicolor/scalable/apps/lexvane.svg"; do
        xmllint --noout "$xml" 2>"$root/xmllint.log" || fail "xmllint $xml: $(cat "$root/xmllint.log")"
    done
    newest=$(xmllint --xpath 'string(//releases/release[1]/@version)' "$metainfo")
    [ "$newest" = "$version" ] || fail "the metainfo's newest release is $newest, not $version"
    date=$(xmllint --xpath 'string(//releases/release[1]/@date)' "$metainfo")
    [ "$date" = "$release_date" ] || fail "the metainfo's newest release is of $date, not $release_date"
    for size in 16 48 512; do
        # The PNG header's width and height, 4 bytes each from byte 16.
        read -r -a header < <(od -An -tu1 -j16 -N8 "$share/icons/hicolor/${size}x${size}/apps/lexvane.png")
        [ "$(( (header[2] << 8) + header[3] )) $(( (header[6] << 8) + header[7] ))" = "$size $size" ] ||
            fail "the ${size}x${size} icon is not $size pixels square"
    done

    # ---- file types, as a desktop session in the installed tree sees them ----
    # (Both say that the tree is not where a desktop looks: it is not yet.)
    update-mime-database "$share/mime" >/dev/null 2>&1 || fail "update-mime-database failed"
    update-desktop-database "$share/applications" >/dev/null 2>&1 ||
        fail "update-desktop-database failed"
    session=(env HOME="$root/home" XDG_DATA_HOME="$root/home/.local/share"
             XDG_CONFIG_HOME="$root/home/.config" XDG_DATA_DIRS="$share:/usr/share"
             XDG_CURRENT_DESKTOP=GNOME)
    files=$root/files
    mkdir -p "$files" "$root/home"
    printf '[File list]\r\nFile1=/corpus/a.txt\r\n[Scan]\r\nTaggedText=0\r\n' >"$files/Novels.CTL"
    cp "$files/Novels.CTL" "$files/letters.ctl"
    cp "$files/Novels.CTL" "$files/saved without extension"
    printf '/corpus/a.txt\r\n' >"$files/OLD.CFL"
    printf '[List 1]\r\nLine1=walk*\r\n' >"$files/walk.cws"
    printf 'walk;walks;walked\n' >"$files/lemmas.cll"
    declare -A types=(
        [Novels.CTL]=application/x-lexvane-text-list
        [letters.ctl]=application/x-lexvane-text-list
        ["saved without extension"]=application/x-lexvane-text-list
        [OLD.CFL]=application/x-lexvane-file-list
        [walk.cws]=application/x-lexvane-word-search
        [lemmas.cll]=application/x-lexvane-lemma-list)
    for name in "${!types[@]}"; do
        type=$("${session[@]}" xdg-mime query filetype "$files/$name")
        [ "$type" = "${types[$name]}" ] || fail "xdg-mime query filetype $name: $type"
        default=$("${session[@]}" xdg-mime query default "${types[$name]}")
        [ "$default" = "$app_id.desktop" ] || fail "xdg-mime query default ${types[$name]}: $default"
    done
    # The installed program opens a list named on its command line (and
    # remembers it among the recent lists).
    printf 'The waves came in over the old harbour wall.\n' >"$files/harbour.txt"
    printf '[File list]\r\nFile1=%s\r\n' "$files/harbour.txt" >"$files/Harbour.CTL"
    LEXVANE_SETTINGS="$root/lexvane.ini" QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$root" \
        "$usr/bin/lexvane" "$files/Harbour.CTL" >/dev/null 2>&1 &
    program=$!
    for _ in $(seq 100); do grep -q "File1=" "$root/lexvane.ini" 2>/dev/null && break; sleep 0.1; done
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    grep -qxF "File1=$files/Harbour.CTL"$'\r' "$root/lexvane.ini" 2>/dev/null ||
        fail "lexvane Harbour.CTL did not open the list"

    # A double click: the desktop starts the .desktop file's command with the
    # file; a stand-in lexvane on the PATH notes what it was given.
    mkdir -p "$root/stand-in"
    printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s"\n' "$root/opened" >"$root/stand-in/lexvane"
    chmod +x "$root/stand-in/lexvane"
    for opener in "gio open" "xdg-open"; do
        rm -f "$root/opened"
        PATH="$root/stand-in:$PATH" "${session[@]}" $opener "$files/Novels.CTL" >/dev/null 2>&1 ||
            fail "$opener Novels.CTL failed"
        for _ in $(seq 50); do [ -s "$root/opened" ] && break; sleep 0.1; done
        [ "$(cat "$root/opened" 2>/dev/null)" = "$files/Novels.CTL" ] ||
            fail "$opener Novels.CTL did not start lexvane with it"
    done
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures failed" >&2
    exit 1
fi
echo "The installed files pass."
