#!/bin/sh
# Trägt Z7 Edit für den angemeldeten Benutzer ins Menü der Arbeitsfläche ein:
# den Menüeintrag in ~/.local/share/applications, das Symbol in
# ~/.local/share/icons. Braucht keine Verwalterrechte. Wer den Ordner von
# Z7 Edit verschiebt, führt das Skript danach noch einmal aus.
set -eu

here=$(cd "$(dirname "$0")" && pwd -P)
data=${XDG_DATA_HOME:-$HOME/.local/share}
program=$here/z7edit
entry=$data/applications/z7edit.desktop
marker='# Angelegt von menueeintrag-anlegen.sh'

if [ ! -x "$program" ]; then
    echo "Das Programm $program fehlt; bitte das Archiv vollständig entpacken." >&2
    exit 1
fi
case $program in
*'
'*)
    echo "Der Ordnername enthält einen Zeilenumbruch; bitte den Ordner umbenennen." >&2
    exit 1
    ;;
esac
if [ -e "$entry" ] && ! grep -qxF "$marker" "$entry"; then
    echo "$entry gibt es schon, von Hand angelegt; er bleibt, wie er ist." >&2
    echo "Wer ihn ersetzen will, löscht ihn und führt das Skript noch einmal aus." >&2
    exit 1
fi

# Exec nimmt den Pfad in Anführungszeichen: darin stehen \ " ` $ mit einem
# Backslash davor, % doppelt, und zuletzt wird jeder Backslash verdoppelt,
# wie in jedem Text eines Menüeintrags.
exec_path=$(printf '%s' "$program" | sed -e 's/[\\"`$]/\\&/g' -e 's/\\/\\\\/g' -e 's/%/%%/g')
try_path=$(printf '%s' "$program" | sed -e 's/\\/\\\\/g')

for icon in "$here"/share/icons/hicolor/*/apps/z7edit.png; do
    size=$(basename "$(dirname "$(dirname "$icon")")")
    mkdir -p "$data/icons/hicolor/$size/apps"
    cp "$icon" "$data/icons/hicolor/$size/apps/z7edit.png"
done
# Ein Symbol-Zwischenspeicher, den es schon gibt, muss das neue Symbol kennen.
if [ -f "$data/icons/hicolor/icon-theme.cache" ] && command -v gtk-update-icon-cache >/dev/null; then
    gtk-update-icon-cache -q -t "$data/icons/hicolor" || true
fi

mkdir -p "$data/applications"
EXEC_PATH=$exec_path TRY_PATH=$try_path MARKER=$marker awk '
    NR == 1 { print ENVIRON["MARKER"] }
    /^Exec=/ {
        print "TryExec=" ENVIRON["TRY_PATH"]
        print "Exec=\"" ENVIRON["EXEC_PATH"] "\""
        next
    }
    { print }
' "$here/share/applications/z7edit.desktop" >"$entry.neu"
mv -f "$entry.neu" "$entry"

echo "Z7 Edit steht jetzt im Menü unter Spiele und Dienstprogramme."
echo "Menüeintrag: $entry"
echo "Programm:    $program"
