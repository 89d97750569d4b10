#!/bin/sh
# Nimmt den Menüeintrag und das Symbol wieder heraus, die
# menueeintrag-anlegen.sh angelegt hat. Der Ordner von Z7 Edit, die
# Modelldatei des Spiels, ihre Sicherung und die Anleitung bleiben.
set -eu

data=${XDG_DATA_HOME:-$HOME/.local/share}
entry=$data/applications/z7edit.desktop
marker='# Angelegt von menueeintrag-anlegen.sh'

if [ -e "$entry" ] && ! grep -qxF "$marker" "$entry"; then
    echo "$entry ist von Hand angelegt; er bleibt, wie er ist." >&2
    exit 1
fi
rm -f "$entry"
for icon in "$data"/icons/hicolor/*/apps/z7edit.png; do
    rm -f "$icon"
done
if [ -f "$data/icons/hicolor/icon-theme.cache" ] && command -v gtk-update-icon-cache >/dev/null; then
    gtk-update-icon-cache -q -t "$data/icons/hicolor" || true
fi
echo "Der Menüeintrag von Z7 Edit ist entfernt."
