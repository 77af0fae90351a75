#!/usr/bin/env bash
# Checks an installation made with DESTDIR=DESTROOT cmake --install BUILD --prefix /usr:
#   scripts/check_install.sh DESTROOT [PACKAGE.deb]
# Every file the program, the desktop and the file manager need must be there and well formed;
# with a Debian package, its contents must be exactly that installation and its control data
# must name the package, the project's version and the dependencies.
set -euo pipefail

root=${1:?usage: check_install.sh DESTROOT [PACKAGE.deb]}
deb=${2:-}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
app_id=com.quenbrix.Ovilan
mime_type=application/x-ovilan-document
prefix=$root/usr
problems=()
problem() { problems+=("$1"); }

need_file() {
  [ -f "$prefix/$1" ] || problem "missing usr/$1"
}

# The programs, and everything they look for beside themselves.
for program in ovilan ovilan-cli; do
  [ -x "$prefix/bin/$program" ] || problem "missing or not executable: usr/bin/$program"
done
for page in "$source_dir"/help/*; do
  need_file "share/ovilan/help/$(basename "$page")"
done
for example in "$source_dir"/examples/*.ovd; do
  need_file "share/ovilan/examples/$(basename "$example")"
done
[ -f "$prefix/bin/../share/ovilan/help/index.html" ] ||
  problem "the help index is not at ../share/ovilan/help/index.html from usr/bin"

# The desktop entry: valid, and naming the icon and the document type that are installed.
desktop=$prefix/share/applications/$app_id.desktop
if [ -f "$desktop" ]; then
  desktop-file-validate "$desktop" >/dev/null || problem "desktop-file-validate rejects $app_id.desktop: $(desktop-file-validate "$desktop" | grep -v ' hint: ' || true)"
  for line in "Exec=ovilan %f" "Icon=$app_id" "MimeType=$mime_type;" "Type=Application"; do
    grep -qxF "$line" "$desktop" || problem "$app_id.desktop lacks the line $line"
  done
else
  problem "missing usr/share/applications/$app_id.desktop"
fi

# The document type: well-formed, accepted by update-mime-database, with the glob and the
# signature every document starts with.
mime_xml=$prefix/share/mime/packages/$app_id.xml
if [ -f "$mime_xml" ]; then
  if xmllint --noout "$mime_xml"; then
    mime_db=$(mktemp -d)
    mkdir "$mime_db/packages"
    cp "$mime_xml" "$mime_db/packages/"
    if update-mime-database "$mime_db" >/dev/null 2>&1; then
      grep -qxF "50:$mime_type:*.ovd" "$mime_db/globs2" ||
        problem "the MIME database has no glob *.ovd for $mime_type"
      # The magic records the signature as its length (2 bytes, big-endian) and its bytes.
      signature=$(printf '\016OvilanDocument' | od -An -tx1 | tr -d ' \n')
      grep -q "0f$signature" <(od -An -tx1 -v "$mime_db/magic" | tr -d ' \n') ||
        problem "the MIME database has no magic for the document signature"
      for example in "$prefix"/share/ovilan/examples/*.ovd; do
        [ "$(head -c 15 "$example" | od -An -tx1 | tr -d ' \n')" = "$signature" ] ||
          problem "$(basename "$example") does not start with the signature of the MIME magic"
      done
    else
      problem "update-mime-database rejects $app_id.xml"
    fi
    rm -rf "$mime_db"
  else
    problem "$app_id.xml is not well-formed XML"
  fi
else
  problem "missing usr/share/mime/packages/$app_id.xml"
fi

# The icon, one picture of the right size for each size the theme asks for.
for side in 16 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${side}x${side}/apps/$app_id.png
  if [ -f "$icon" ]; then
    file -b "$icon" | grep -q "^PNG image data, $side x $side," ||
      problem "icon ${side}x$side is not a $side pixel PNG: $(file -b "$icon")"
  else
    problem "missing usr/share/icons/hicolor/${side}x$side/apps/$app_id.png"
  fi
done

# The installed tool runs from its new place and reads an installed document.
if [ -x "$prefix/bin/ovilan-cli" ]; then
  output=$("$prefix/bin/ovilan-cli" number 0.5 2>&1) || true
  [ "$output" = "0.5" ] || problem "installed ovilan-cli number 0.5 printed: $output"
  "$prefix/bin/ovilan-cli" info "$prefix/share/ovilan/examples/gallery.ovd" >/dev/null 2>&1 ||
    problem "installed ovilan-cli cannot read the installed gallery.ovd"
fi

# The Debian package holds exactly the installation, under the same names.
if [ -n "$deb" ]; then
  if [ -f "$deb" ]; then
    installed=$(cd "$root" && find . -type f | sort)
    packaged=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)
    if [ "$installed" != "$packaged" ]; then
      problem "the package's files differ from the installation:
$(diff <(echo "$installed") <(echo "$packaged") | grep '^[<>]' || true)"
    fi
    control=$(dpkg-deb -I "$deb")
    version=$(sed -n 's/^project(Ovilan VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
    for field in "Package: ovilan" "Version: $version" "Section: math"; do
      grep -q "^ $field\$" <<<"$control" || problem "the package's control lacks $field"
    done
    depends=$(sed -n 's/^ Depends: //p' <<<"$control")
    for dependency in fonts-liberation2 libqt6widgets6 libc6; do
      grep -q "\b$dependency\b" <<<"$depends" ||
        problem "the package does not depend on $dependency (Depends: $depends)"
    done
    grep -q "^ Recommends: .*shared-mime-info" <<<"$control" ||
      problem "the package does not recommend shared-mime-info"
  else
    problem "missing package $deb"
  fi
fi

if [ ${#problems[@]} -gt 0 ]; then
  echo "The installation in $root is incomplete:" >&2
  printf '  - %s\n' "${problems[@]}" >&2
  exit 1
fi
echo "Installation complete: $(cd "$root" && find . -type f | wc -l) files${deb:+, and the package matches it}."
