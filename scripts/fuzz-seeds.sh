#!/usr/bin/env bash
# Writes the fuzz targets' seed corpora (tests/fuzz/corpus/<target>/) from what our own tools
# and data make in a build folder: scripts/fuzz-seeds.sh [build-dir] (default build-test).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-test}
cmake --build "$build" --parallel 3 --target corvale-texconv corvale-pack corvale-sndenc corvale_data \
  corvale_fonts corvale_guiart corvale-sounds > /dev/null
data=$build/data
graphics=$data/Graphics
corpus=$root/tests/fuzz/corpus
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
texconv=$build/tools/texconv/corvale-texconv

rm -rf "$corpus"
for target in png tex img json archive wav snd sprite font guilayer textdocument dialog; do
  mkdir -p "$corpus/$target"
done

cp "$graphics/GUI/MessageBox/ButtonDown.png" "$corpus/png/button.png"
cp "$graphics/GUI/MessageBox/Panel.png" "$corpus/png/panel.png"
"$texconv" tex "$graphics/GUI/MessageBox/ButtonDown.png" "$corpus/tex/button.tex"
"$texconv" img "$graphics/GUI/MessageBox/ButtonDown.png" "$corpus/img/button.img"
"$texconv" img "$graphics/GUI/MessageBox/Panel.png" "$corpus/img/panel.img"

cp "$data/Scripts/BuildConsts.json" "$corpus/json/build-consts.json"
cp "$data/Text/English/Text.json" "$corpus/json/text.json"
cp "$graphics/GUI/MessageBoxOK/Widgets.json" "$corpus/json/widgets.json"

mkdir -p "$scratch/tree/Scripts"
cp "$data/Scripts/BuildConsts.json" "$data/Scripts/DialogConsts.json" "$scratch/tree/Scripts/"
"$build/tools/packer/corvale-pack" "$scratch/tree" "$corpus/archive/scripts.dat" 0x5A > /dev/null

cp "$data/Sounds/CardPlace.wav" "$corpus/wav/card.wav"
"$build/tools/sndenc/corvale-sndenc" "$data/Sounds/CardPlace.wav" "$corpus/snd/card.snd" > /dev/null

cp "$graphics/GUI/MessageBoxOK/Sprites.json" "$corpus/sprite/message-box.json"
# Every key of a sprite resource file, over the generated message-box art.
cat > "$corpus/sprite/keys.json" <<'JSON'
{
   "Sheet": {"Filename": "GUI/MessageBox/Panel", "FrameSize": "64|32", "ImageSequence": [1, 3, 2],
             "FrameDurations": [40, 50, 60], "PlayType": "PingPongLoop", "Origin": "Center"},
   "Rate": {"Filename": "GUI/MessageBox/ButtonUp", "FrameRate": 24, "KeepBitmapData": true,
            "PreMultiplyAlpha": false, "Offset": "3|4"},
   "Numbered": {"Filename": "GUI/MessageBox", "FrameCount": 2, "FrameDuration": 20, "Origin": "5|7"},
   "Plain": "GUI/MessageBox/ButtonDown"
}
JSON

cp "$graphics/Fonts/SansRegular.json" "$corpus/font/sans.json"
cp "$graphics/Fonts/AauxProBOutlined.json" "$corpus/font/outlined.json"

cp "$graphics/GUI/MessageBoxOK/Widgets.json" "$corpus/guilayer/ok.json"
cp "$graphics/GUI/MessageBoxYesNoCancel/Widgets.json" "$corpus/guilayer/yes-no-cancel.json"

printf 'A first line that is long enough to wrap in the document\r\n<Font=SansRegular>A second</Font> line with <TextColor=255|0|0|255>colour</TextColor>, <TextScale=2|2>scale</TextScale> and a <Sprite=GUI/MessageBox/ButtonUp> sprite.\n\n\tCaf\xc3\xa9 \xe2\x82\xac' > "$corpus/textdocument/markup.txt"
printf 'Hello there, this is a line of dialog long enough to wrap twice in the balloon.\nA <font=SansRegular>second</font> line.\0A second text appended: Caf\xc3\xa9 \xe2\x82\xac\n\n\nAnd one more line after blank ones, to turn the page.' > "$corpus/dialog/markup.txt"
echo "fuzz-seeds: wrote $(find "$corpus" -type f | wc -l) seeds to $corpus"
