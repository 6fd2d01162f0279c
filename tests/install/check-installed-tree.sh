#!/usr/bin/env bash
# Installs the build into a staging folder (DESTDIR, prefix /usr) and checks the installed tree as a
# user's system sees it: every file in place, the freedesktop validators, the manual pages rendered by
# man, the shell completions loaded by bash, zsh and fish, the icons at their sizes.
#   check-installed-tree.sh BUILD_DIR PROJECT_VERSION
set -uo pipefail
build=$1
version=$2
stage=$(mktemp -d "${TMPDIR:-/tmp}/tessarin-stage-XXXXXX")
trap 'rm -rf "$stage"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

DESTDIR=$stage cmake --install "$build" --prefix /usr >"$stage.log" 2>&1 || { cat "$stage.log" >&2; exit 1; }
rm -f "$stage.log"
usr=$stage/usr
id=com.orrinvale.Tessarin

installed=(
  bin/tessarin bin/tessarinctl
  share/applications/$id.desktop share/metainfo/$id.metainfo.xml share/dbus-1/services/$id.service
  share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/symbolic/apps/$id-symbolic.svg
  share/man/man1/tessarin.1.gz share/man/man1/tessarinctl.1.gz
  share/bash-completion/completions/tessarinctl share/zsh/vendor-completions/_tessarinctl
  share/fish/vendor_completions.d/tessarinctl.fish
  share/doc/tessarin/copyright share/doc/tessarin/changelog.Debian.gz
)
for file in "${installed[@]}"; do
  [[ -f $usr/$file ]] || fail "not installed: $file"
done
[[ -x $usr/bin/tessarin && -x $usr/bin/tessarinctl ]] || fail "the programs are not executable"

# Validators, and the programs named by their installed path.
desktop-file-validate "$usr/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --explain "$usr/share/metainfo/$id.metainfo.xml" >"$stage/as.txt" 2>&1 ||
  { cat "$stage/as.txt" >&2; fail "appstreamcli validate"; }
grep -qx "Exec=/usr/bin/tessarin" "$usr/share/applications/$id.desktop" || fail "desktop entry Exec"
grep -qx "Exec=/usr/bin/tessarin" "$usr/share/dbus-1/services/$id.service" || fail "D-Bus service Exec"
grep -qx "Name=$id" "$usr/share/dbus-1/services/$id.service" || fail "D-Bus service Name"

# One version everywhere: the programs, the metadata's newest release, the manual pages.
[[ $("$usr/bin/tessarinctl" --version) == "tessarinctl $version" ]] || fail "tessarinctl --version"
grep -q "<release version=\"$version\"" "$usr/share/metainfo/$id.metainfo.xml" || fail "metainfo release"

# The manual pages render, and tessarinctl(1) documents every command --help lists.
for page in tessarin tessarinctl; do
  MANWIDTH=100 man -l "$usr/share/man/man1/$page.1.gz" >"$stage/$page.txt" 2>"$stage/$page.err" ||
    fail "man -l $page"
  [[ -s $stage/$page.err ]] && { cat "$stage/$page.err" >&2; fail "man warns about $page(1)"; }
  grep -q "^NAME" "$stage/$page.txt" || fail "$page(1) has no NAME"
done
commands=$("$usr/bin/tessarinctl" --help | awk '/^Commands:/ {on = 1; next} /^$/ {on = 0} on {print $1}')
[[ -n $commands ]] || fail "tessarinctl --help lists no command"
for command in $commands; do
  grep -Eq "^ {7}$command( |$)" "$stage/tessarinctl.txt" || fail "tessarinctl(1) lacks $command"
done

# Completions: what each shell offers for a command line, with a store holding Work and Home.
home=$stage/home
mkdir -p "$home/Tessarin Desktops/"{Work,Home,Archive,"_Hidden Desktop",.store}
bash_complete() { # WORDS...: the completions of the last word
  HOME=$home bash -c '
    source /usr/share/bash-completion/bash_completion
    source "$0"
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
    _tessarinctl
    printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "' \
    "$usr/share/bash-completion/completions/tessarinctl" tessarinctl "$@"
}
fish_complete() { # LINE: the first field of each completion
  HOME=$home fish --no-config -c "source '$usr/share/fish/vendor_completions.d/tessarinctl.fish'; complete -C '$1'" |
    cut -f1 | sort | tr '\n' ' '
}
cases=(
  # words                  | bash expects         | fish expects
  "aut|autostart |autostart "
  "unin|uninstall |uninstall "
  "--vers|--version |--version "
  "switch W|Work |Work "
  "rename |Home Work |Home Work "
  "autostart o|off on |off on "
  "uninstall -|--yes |--yes "
)
for row in "${cases[@]}"; do
  IFS='|' read -r line want_bash want_fish <<<"$row"
  read -ra words <<<"$line"
  [[ $line == *" " ]] && words+=("")
  got=$(bash_complete "${words[@]}")
  [[ $got == "$want_bash" ]] || fail "bash completes '$line' to '$got', not '$want_bash'"
  got=$(fish_complete "tessarinctl $line")
  [[ $got == "$want_fish" ]] || fail "fish completes '$line' to '$got', not '$want_fish'"
done
for command in $commands; do
  [[ " $(bash_complete "") " == *" $command "* ]] || fail "bash does not complete $command"
done
zsh -n "$usr/share/zsh/vendor-completions/_tessarinctl" || fail "zsh can't read _tessarinctl"
zsh -f -c "fpath=('$usr/share/zsh/vendor-completions' \$fpath); autoload -Uz compinit; compinit -u -d '$stage/zcomp';
  [[ \${_comps[tessarinctl]} == _tessarinctl ]]" || fail "zsh does not take _tessarinctl for tessarinctl"

# Icons: every PNG at its size, each drawn as the scalable SVG is (rendered by librsvg).
icons=$usr/share/icons/hicolor
for size in 16 22 24 32 48 64 128 256 512; do
  png=$icons/${size}x$size/apps/$id.png
  [[ $(identify -format "%wx%h" "$png" 2>/dev/null) == "${size}x$size" ]] || fail "icon $size is not ${size}x$size"
done
for size in 48 128; do
  rsvg-convert -w $size -h $size "$icons/scalable/apps/$id.svg" -o "$stage/svg$size.png"
  differing=$(/usr/bin/compare -metric AE -fuzz 12% "$stage/svg$size.png" "$icons/${size}x$size/apps/$id.png" null: 2>&1)
  ((differing <= size / 8)) || fail "the $size-pixel PNG differs from the SVG in $differing pixels"
done

echo "installed tree: ${#installed[@]} files, ${#cases[@]} completion cases, $failures failures"
((failures == 0))
