#!/usr/bin/env bash
# Checks that a built quillaven_*.deb holds what an installed Quillaven needs.
# Usage: scripts/check-deb.sh PACKAGE.deb
set -euo pipefail
deb=$1
case "$(basename "$deb")" in
  quillaven_*_*.deb) ;;
  *) echo "check-deb: '$deb' is not named quillaven_<version>_<arch>.deb" >&2; exit 1 ;;
esac
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
missing=0
for path in \
  ./usr/bin/quillaven \
  ./usr/bin/quillaven-render \
  ./usr/share/applications/quillaven.desktop \
  ./usr/share/icons/hicolor/scalable/apps/quillaven.svg \
  ./usr/share/icons/hicolor/48x48/apps/quillaven.png \
  ./usr/share/icons/hicolor/256x256/apps/quillaven.png \
  ./usr/share/mime/packages/quillaven.xml \
  ./usr/share/thumbnailers/quillaven.thumbnailer \
  ./usr/share/man/man1/quillaven.1 \
  ./usr/share/man/man1/quillaven-render.1 \
  ./usr/share/doc/quillaven/examples/morph.kvt; do
  grep -qxF "$path" <<<"$contents" || { echo "check-deb: $deb lacks $path" >&2; missing=1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libemf1 libavfilter8; do
  grep -q "$library" <<<"$depends" || { echo "check-deb: $deb does not depend on $library" >&2; missing=1; }
done
[ "$missing" -eq 0 ] && echo "check-deb: $deb holds every expected file"
exit "$missing"
