#!/bin/bash
# Takes the program's button pictures from Debian's adwaita-icon-theme
# (CC BY-SA 3.0, see icons/SOURCE) and writes them into icons/ as 8-bit RGBA
# PNGs, with icons.rc (the resources) and icon_ids.h (their ids). The PNGs
# are committed, so a build needs neither the package nor ImageMagick; run
# this again after changing the list below.
#
#   resources/make_icons_from_theme.sh [theme-folder]
#
# Each line: picture name, the theme's icon, the sizes wanted. A size the
# theme lacks is scaled down from its 48 px picture.
set -euo pipefail
cd "$(dirname "$0")"
theme=${1:-/usr/share/icons/Adwaita}
[ -d "$theme/48x48" ] || { echo "no icon theme at $theme (apt-get install adwaita-icon-theme)" >&2; exit 1; }

pictures="
new_note        document-new                         24
rename_note     insert-text                          24
delete_note     edit-delete                          24
save_note       document-save                        24
back            go-previous                          16
forward         go-next                              16
find            edit-find                            16
favourites      starred                              16
images          insert-image                         16
in_note         edit-find-replace                    16
heading         preferences-desktop-font             16
bold            format-text-bold                     16
italic          format-text-italic                   16
strike          format-text-strikethrough            16
link            insert-link                          16
cut             edit-cut                             16
copy            edit-copy                            16
paste           edit-paste                           16
undo            edit-undo                            16
redo            edit-redo                            16
zoom            zoom-original                        16
file_panel      system-file-manager                  24
new_file        x-office-document                    24
open_file       document-open                        16,24,32
save_copy       document-save-as                     24,32
print           document-print                       24
page_setup      document-page-setup                  24
capture_web     emblem-web                           24
screenshot      camera-photo                         24
ribbon          view-restore                         24
reload          view-refresh                         24,32
share_sync      emblem-shared                        24,48
help            help-browser                         24,32
keys            preferences-desktop-keyboard-shortcuts 24,32,48
about           help-about                           24
exit            system-log-out                       24,32
started         help-contents                        24
intro           media-playback-start                 24
tip             dialog-information                   24
sync_folder     folder-remote                        48
sync_info       dialog-information                   48
remove          list-remove                          16
status_warning  dialog-warning                       24
status_ok       emblem-default                       24
notes_stack     text-x-generic                       16,24
recent          document-open-recent                 32
"

find_icon() {  # name size -> path (exact size first, then 48 px)
  local name=$1 size=$2 path
  for folder in "$theme/${size}x${size}" "$theme/48x48"; do
    path=$(ls "$folder"/*/"$name.png" 2>/dev/null | head -n 1 || true)
    [ -n "$path" ] && { echo "$path"; return; }
  done
  echo "missing icon $name" >&2; exit 1
}

mkdir -p icons
rm -f icons/*.png
version=$(dpkg-query -W -f='${Version}' adwaita-icon-theme 2>/dev/null || echo unknown)
{
  echo "// Button pictures made by make_icons_from_theme.sh; do not edit."
  echo "#pragma once"
} > icon_ids.h
echo "// Button pictures made by make_icons_from_theme.sh; do not edit." > icons.rc
{
  echo "Pictures taken from Debian's adwaita-icon-theme $version ($theme),"
  echo "by the GNOME Project, licensed under CC BY-SA 3.0 (or LGPL-3);"
  echo "made by resources/make_icons_from_theme.sh. Picture <- theme icon:"
} > icons/SOURCE
id=2000
while read -r name icon sizes; do
  [ -n "$name" ] || continue
  upper=$(echo "$name" | tr a-z A-Z)
  for size in ${sizes//,/ }; do
    source=$(find_icon "$icon" "$size")
    out="icons/${name}_${size}.png"
    convert "$source" -resize "${size}x${size}" -strip -depth 8 "PNG32:$out"
    echo "#define IDP_${upper}_${size} $id  // $icon" >> icon_ids.h
    echo "IDP_${upper}_${size} PNG \"icons/${name}_${size}.png\"" >> icons.rc
    echo "  ${name}_${size}.png <- ${source#$theme/}" >> icons/SOURCE
    id=$((id + 1))
  done
done <<< "$pictures"
echo "$(ls icons/*.png | wc -l) pictures in icons/"
