#!/usr/bin/env bash
# Builds the Debian package from the build folder (CPack, dependencies from dpkg-shlibdeps) and checks
# it: lintian reports no error, the files a user expects are inside, the libraries and Qt's platform
# plugins are among the dependencies. Exits 77 (skipped) where the packaging tools are missing.
#   check-package.sh BUILD_DIR
set -uo pipefail
build=$1
for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing (scripts/install-deps installs it)"; exit 77; }
done
out=$(mktemp -d "${TMPDIR:-/tmp}/tessarin-package-XXXXXX")
trap 'rm -rf "$out"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log" >&2; exit 1; }
deb=$(ls "$out"/tessarin_*.deb 2>/dev/null | head -1)
[[ -f $deb ]] || { echo "FAIL: no .deb was made" >&2; exit 1; }

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/bin/tessarin ./usr/bin/tessarinctl ./usr/share/applications/com.orrinvale.Tessarin.desktop \
  ./usr/share/metainfo/com.orrinvale.Tessarin.metainfo.xml ./usr/share/dbus-1/services/com.orrinvale.Tessarin.service \
  ./usr/share/icons/hicolor/48x48/apps/com.orrinvale.Tessarin.png ./usr/share/man/man1/tessarinctl.1.gz \
  ./usr/share/bash-completion/completions/tessarinctl ./usr/share/doc/tessarin/copyright; do
  grep -qx "$path" <<<"$contents" || fail "the package lacks $path"
done
grep -q "^./usr/local" <<<"$contents" && fail "the package installs into /usr/local"

depends=$(dpkg-deb -f "$deb" Depends)
for dependency in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6dbus6 libglib2.0-0 qt6-qpa-plugins; do
  grep -q "\b$dependency\b" <<<"$depends" || fail "Depends lacks $dependency: $depends"
done

lintian --fail-on error --suppress-tags initial-upload-closes-no-bugs "$deb" >"$out/lintian.txt" 2>&1 ||
  fail "lintian reports errors"
grep -v "^running with root" "$out/lintian.txt" >&2
echo "package $(basename "$deb"): $(grep -c . <<<"$contents") paths, $failures failures"
((failures == 0))
