#!/usr/bin/env bash
# ramulex order show/matlist, selection matlist and registry, on order and selection files that
# documents_fixtures writes, in a home of their own.
# Usage: document_commands_test.sh PATH/TO/ramulex PATH/TO/documents_fixtures REPOSITORY
set -uo pipefail

ramulex=$1
fixtures=$2
repo=$3
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home/home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data
mkdir -p "$HOME" "$home/cat" "$home/rep"
cp "$repo/tests/data/documents/catalogue/"* "$home/cat/"
"$fixtures" "$home/server" || exit 1
orders=$home/server/Orders
cd "$home" || exit 1

source "$repo/tests/check_command.sh"

# --- Orders and selections

check "order show" 0 "Заказ № A-1 от 15.01.2020
Заказчик: Иванов
Объект: Дача

№      Наименование             Размер       Кол-во  Цена         Сумма
1      Окно                     1200 x 1400  2       29,68        59,36
2      Window 2                 700 x 1400   1       185,00       185,00
3      Window 3                 700 x 1400   5       12,34        (не включена)

Сумма: 244,36
НДС 20%: 48,87
Итого: 293,23" "$ramulex" order show "$orders/A.rfo370"
check "order show as JSON" 0 '{*"Cost": "244.3600",*"NDS": "48.8720",*"Positions": \[*"Width": 1200*"TotalCost": "293.2320"
}' "$ramulex" order show "$orders/A.rfo370" --format json
check "order show of a damaged file" 1 "Ошибка загрузки заказа!
(Неожиданный конец файла на 1876-м байте)" "$ramulex" order show "$orders/broken.rfo370"
check "order show of a newer file as JSON" 1 '{
  "Error": "Вы пытаетесь открыть заказ, созданный более новой версией программы, чем текущая.*Загружаемая версия: 27.12.2019"
}' "$ramulex" order show "$orders/newer.rfo370" --format json
check "order show of no file" 2 'ramulex order: "none.rfo370" is not an order file' \
  "$ramulex" order show none.rfo370

check "order matlist in the order built" 0 "Код              Кол-во     Цена         Сумма
A-100            4          12,34        49,36
B-200            2          5,00         10,00
C-300            4          46,25        185,00
Итого: 244,36" "$ramulex" order matlist "$orders/A.rfo370"
check "order matlist by name" 0 "Код              Наименование                     Кол-во     Цена         Сумма
C-300            Винт                             4          46,25        185,00
A-100            Петля                            4          12,34        49,36
B-200            Ручка                            2          5,00         10,00
Итого: 244,36" "$ramulex" order matlist "$orders/A.rfo370" --sort name --catalogue cat
check "order matlist by code as JSON" 0 '{
  "Lines": \[
    {
      "Cost": "30.0000",
      "ID": "A-100",
      "Number": 3.0,
      "Price": "10.0000"
    },
    {
      "Cost": "856.4340",
      "ID": "D-400",
      "Number": 7.5,
      "Price": "114.1912"
    }
  ],
  "Total": "886.4340"
}' "$ramulex" order matlist "$orders/B.rfo370" --sort id --format json
check "order matlist by name without a catalogue" 2 \
  "ramulex order matlist: --sort name needs --catalogue PATH for the names" \
  "$ramulex" order matlist "$orders/A.rfo370" --sort name
check "order matlist with an unknown sort" 2 "*--sort*" \
  "$ramulex" order matlist "$orders/A.rfo370" --sort size

"$ramulex" config add T --catalogue cat --server server --reports rep || exit 1
check "selection matlist" 0 "Код              Наименование                     Кол-во     Цена         Сумма
A-100            Петля                            12         12,34        148,08
B-200            Ручка                            2          5,00         10,00
C-300            Винт                             4          46,25        185,00
D-400            Анкер                            7,5        114,19       856,43
Итого: 1 199,51" "$ramulex" selection matlist server/Selection/sel.rfs370 --config T
check "selection matlist of an unknown configuration" 2 \
  'ramulex selection matlist: no configuration "X" (ramulex config list shows them)' \
  "$ramulex" selection matlist server/Selection/sel.rfs370 --config X
check "an order file as a selection" 1 "Данный файл не является файлом Korvat Tessarin!" \
  "$ramulex" selection matlist "$orders/A.rfo370" --config T

# --- The registry; every refusal of bad input leaves the registry as it was

registry_rows() { "$ramulex" registry list --config T; }
check "an empty registry" 0 "" registry_rows
check "register order files" 1 "Ошибка загрузки заказа!
(Неожиданный конец файла на 1876-м байте)" \
  "$ramulex" registry register "$orders/A.rfo370" "$orders/B.rfo370" "$orders/broken.rfo370" \
  --config T
rows="A-1                            15.01.2020 Иванов                                            293,23 %A.RFO370
B-1                            01.02.2020                                                   886,44 %B.RFO370"
check "the registered rows" 0 "$rows" registry_rows
check "register a number twice" 1 "Загружаемый заказ № A-1 уже существует
в реестре заказов, Вы можете только
обновить данные!" "$ramulex" registry register "$orders/A.rfo370" --config T
check "register a missing file" 2 'ramulex registry: "none.rfo370" is not an order file' \
  "$ramulex" registry register none.rfo370 --config T
check "delete an unknown number" 2 \
  'ramulex registry: no order "Z-9" in the registry (ramulex registry list shows them)' \
  "$ramulex" registry delete a-1 Z-9 --config T
check "on an unknown configuration" 2 \
  'ramulex registry: no configuration "X" (ramulex config list shows them)' \
  "$ramulex" registry clear --config X
check "nothing changed" 0 "$rows" registry_rows
check "list by date as JSON" 0 '\[
  {
    "Address": "",
    "Cost": "293.2320",
    "Currency": 1,
    "Customer": "Иванов",
    "No": "A-1",
    "Note": "",
    "Object": "Дача",
    "OrderFile": "%A.RFO370",
    "Phone": "",
    "RegDate": "2020-01-15"
  },*"No": "B-1",*' "$ramulex" registry list --config T --index Date --format json
check "refresh" 0 "" "$ramulex" registry refresh a-1 --config T
check "archive" 0 "" "$ramulex" registry archive B-1 --config T
check "the archived file" 0 "B.rfo" ls server/Archive
# With the settings file present the per-user default moves deleted orders' files.
printf '[Firm]\r\nName=Test\r\n' >cat/RXFurniture.ini
check "delete" 0 "" "$ramulex" registry delete a-1 --config T
check "the recycled file" 0 "A.rfo" ls server/Recycled
check "the orders left" 0 "broken.rfo370
newer.rfo370" ls "$orders"
"$fixtures" "$home/server" || exit 1
"$ramulex" registry register "$orders/A.rfo370" --config T
check "clear" 0 "" "$ramulex" registry clear --config T
check "a cleared registry" 0 "" registry_rows
check "the files stay" 0 "*A.rfo370*" ls "$orders"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
