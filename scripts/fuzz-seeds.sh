#!/usr/bin/env bash
# Writes the fuzz targets' seed corpora (tests/fuzz/corpus/<target>/) from what our own tools
# and data make in a build folder: scripts/fuzz-seeds.sh [build-dir] (default build-test).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-test}
cmake --build "$build" --parallel 3 --target corvale-texconv corvale-pack corvale-sndenc corvale_data \
  corvale_fonts corvale_guiart corvale-sounds corvale_tutorials > /dev/null
data=$build/data
graphics=$data/Graphics
corpus=$root/tests/fuzz/corpus
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
texconv=$build/tools/texconv/corvale-texconv

rm -rf "$corpus"
for target in png tex img json archive wav snd sprite font guilayer textdocument dialog skeleton runtimejson atlas; do
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
# Klondike's tutorial, and a small skeleton with every attachment and timeline kind over the
# tutorial atlas's regions (the skeleton target reads against that atlas).
tutorial=$graphics/Tutorials/KlondikeSolitaire
cp "$tutorial/skeleton.json" "$corpus/skeleton/tutorial.json"
cp "$tutorial/skeleton.json" "$corpus/runtimejson/tutorial.json"
cp "$tutorial/skeleton.atlas" "$corpus/atlas/tutorial.atlas"
cat > "$corpus/skeleton/every-kind.json" <<'JSON'
{"skeleton": {"hash": "h", "version": "v", "width": 10, "height": 20},
 "bones": [{"name": "root"}, {"name": "arm", "parent": "root", "length": 5, "rotation": 30, "flipX": true},
           {"name": "hand", "parent": "arm", "x": 5, "inheritScale": false}, {"name": "aim", "parent": "root"}],
 "ik": [{"name": "reach", "bones": ["arm", "hand"], "target": "aim", "bendPositive": false, "mix": 0.5}],
 "slots": [{"name": "a", "bone": "arm", "attachment": "card", "color": "ff0000ff", "blend": "additive"},
           {"name": "b", "bone": "hand", "attachment": "mesh"}, {"name": "c", "bone": "root", "attachment": "skinned"}],
 "skins": {"default": {"a": {"card": {"path": "Back", "width": 80, "height": 112}},
                       "b": {"mesh": {"type": "mesh", "path": "Hand", "vertices": [0, 0, 8, 0, 8, 16],
                                      "uvs": [0, 0, 1, 0, 1, 1], "triangles": [0, 1, 2], "hull": 3, "edges": [0, 2]},
                             "box": {"type": "boundingbox", "vertices": [1, 2, 3, 4]}},
                       "c": {"skinned": {"type": "skinnedmesh", "path": "Back", "uvs": [0, 0, 1, 0, 1, 1],
                                         "vertices": [1, 1, 0, 0, 1, 2, 1, 1, 0, 0.5, 2, 0, 0.5, 1, 2, 4, 5, 1],
                                         "triangles": [0, 1, 2]}}},
           "other": {"a": {"card": {"path": "Hand"}}}},
 "events": {"tap": {"int": 1, "float": 0.5, "string": "s"}},
 "animations": {"animation": {
   "slots": {"a": {"color": [{"time": 0, "color": "ffffffff", "curve": "stepped"}, {"time": 1, "color": "00000000"}],
                   "attachment": [{"time": 0.5, "name": null}, {"time": 1, "name": "card"}]}},
   "bones": {"arm": {"rotate": [{"time": 0, "angle": 10, "curve": [0.25, 0, 0.75, 1]}, {"time": 2, "angle": -170}],
                     "translate": [{"time": 0, "x": 1, "y": 2}], "scale": [{"time": 0.5, "x": 2, "y": 3}],
                     "flipX": [{"time": 0, "x": 1}], "flipY": [{"time": 0.25, "y": 0}]}},
   "ik": {"reach": [{"time": 0, "mix": 0.25, "bendPositive": false}, {"time": 1.5}]},
   "ffd": {"default": {"b": {"mesh": [{"time": 0}, {"time": 1, "offset": 2, "vertices": [1, 1]}]},
                       "c": {"skinned": [{"time": 0, "vertices": [1, 2, 3]}]}}},
   "drawOrder": [{"time": 0.5, "offsets": [{"slot": "c", "offset": -2}]}, {"time": 1}],
   "events": [{"time": 0.25, "name": "tap"}, {"time": 1, "name": "tap", "int": 7}]},
  "other": {"bones": {"root": {"rotate": [{"time": 0.5, "angle": 5}]}}}}}
JSON
cp "$corpus/skeleton/every-kind.json" "$corpus/runtimejson/every-kind.json"
cat > "$corpus/runtimejson/escapes.json" <<'JSON'
{"text": "caf\u00e9 \ud83d\ude00 \ud800 \b\f\n\r\t\\ \/", "n": [-2.5, 1.9e3, 0, true, false, null], "o": {}}
JSON
cat > "$corpus/atlas/two-pages.atlas" <<'ATLAS'
first.png
format: RGBA8888
filter: Nearest,MipMapLinearLinear
repeat: x
rotated
  rotate: true
  xy: 2, 4
  size: 30, 10
  split: 1, 2, 3, 4
  pad: 4, 3, 2, 1
  orig: 32, 12
  offset: 1, 1
  index: 0

second.png
size: 64,32
format: RGB
filter: Linear,Linear
repeat: xy
plain
  rotate: false
  xy: 0, 0
  size: 16, 16
  split: 0, 0, 1, 1
  orig: 16, 16
  offset: 0, 0
  index: -1
ATLAS
echo "fuzz-seeds: wrote $(find "$corpus" -type f | wc -l) seeds to $corpus"
