#!/usr/bin/env bash
# ramulex config add/list/show/remove and scripts/register-demo, run in a home of their own.
# Usage: config_commands_test.sh PATH/TO/ramulex REPOSITORY
set -uo pipefail

ramulex=$1
repo=$2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home/home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data
mkdir -p "$HOME" "$home/cat" "$home/srv" "$home/rep"

source "$repo/tests/check_command.sh"

check "an empty list" 0 "" "$ramulex" config list
check "add with relative folders" 0 "" \
  "$ramulex" config add Main --catalogue "$home/cat/" --server "$home/srv" --reports "$home/rep"
(cd "$home" && check "add a default with Cyrillic" 0 "" \
  "$ramulex" config add Склад --catalogue cat --server ./srv --reports rep --temp . --default)
check "list marks the default" 0 "Main
Склад (default)" "$ramulex" config list
check "show resolves the folders, case ignored" 0 "ConfigName    Main
CatalogDir    $home/cat
IniFileName   $home/cat/RXFurniture.ini (missing)
ReportDir     $home/rep
ServerDir     $home/srv
OrdersDir     $home/srv/Orders
SelectionDir  $home/srv/Selection
RecycledDir   $home/srv/Recycled
ArchiveDir    $home/srv/Archive
RegistryDir   $home/srv/Registry
ExportDir     $home/srv/Export
TempDir       $home/data/ramulex/temp/<a number per run>" "$ramulex" config show MAIN
check "show an unknown configuration" 2 \
  'ramulex config show: no configuration "Other" (ramulex config list shows them)' \
  "$ramulex" config show Other
check "add with a missing folder" 2 \
  'ramulex config add: --server "'"$home"'/none" is not an existing folder that Windows-1251 can name' \
  "$ramulex" config add X --catalogue "$home/cat" --server "$home/none" --reports "$home/rep"
check "add an existing name" 2 \
  'ramulex config add: configuration "main" exists already (ramulex config remove it first)' \
  "$ramulex" config add main --catalogue "$home/cat" --server "$home/srv" --reports "$home/rep"
check "remove" 0 "" "$ramulex" config remove склад
check "remove an unknown configuration" 2 \
  'ramulex config remove: no configuration "Склад" (ramulex config list shows them)' \
  "$ramulex" config remove Склад
check "list after removing" 0 "Main" "$ramulex" config list
check "a damaged store is refused" 1 \
  "Файл настроек пользователя повреждён «$XDG_CONFIG_HOME/ramulex/user-store.json»: *" \
  bash -c 'cp "$XDG_CONFIG_HOME/ramulex/user-store.json" "$XDG_CONFIG_HOME/saved" &&
           echo "{" >"$XDG_CONFIG_HOME/ramulex/user-store.json" && "$0" config list' "$ramulex"
mv "$XDG_CONFIG_HOME/saved" "$XDG_CONFIG_HOME/ramulex/user-store.json"

demo=$XDG_DATA_HOME/ramulex/demo
check "the demo is registered once" 0 "Registered the configuration Demo in $demo" \
  "$repo/scripts/register-demo" "$ramulex"
check "and not again" 0 "" "$repo/scripts/register-demo" "$ramulex"
check "its catalogue folder holds a copy of the bundled catalogue" 0 "" \
  bash -c '[ ! -d "$0/data/demo/catalogue" ] || diff -r -x RXFurniture.ini "$0/data/demo/catalogue" "$1/catalogue"' \
  "$repo" "$demo"
check "its settings file is found" 0 "IniFileName   $demo/catalogue/RXFurniture.ini (found)" \
  bash -c '"$0" config show Demo | grep IniFileName' "$ramulex"
check "its settings file is Windows-1251" 0 "Name=ООО \"Демо-Окна\"" \
  bash -c 'iconv -f CP1251 -t UTF-8 "$0/catalogue/RXFurniture.ini" | grep "^Name="' "$demo"

[ "$failures" -eq 0 ] && echo "all config command checks passed"
exit "$failures"
