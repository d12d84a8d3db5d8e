#!/usr/bin/env bash
# Makes the pronunciations of the sample dictionary again: one WAV file per word in
# data/sound/<language>/, named exactly as the word is stored (its UTF-8 form), spoken by
# espeak-ng, trimmed of silence and stored as 16 kHz mono 16-bit. The words are listed below;
# each must occur in the word lists of its language, as a headword or as one of the translations
# of the other direction, since that is where the program looks for its sound.
#
#   tools/make-sounds.sh
#
# Needs espeak-ng (voices fr, de, en) and sox.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
for tool in espeak-ng sox; do
  command -v "$tool" >/dev/null || { echo "make-sounds: $tool is needed" >&2; exit 1; }
done

french=(
  maison château été hiver printemps bonjour merci "au revoir" "pomme de terre" fenêtre école
  élève forêt île œuf cœur garçon fille chat chien pain fromage café thé gâteau livre voiture
  bière rivière mère père frère sœur déjà très août "aujourd'hui"
)
german=(
  Haus Straße Mädchen Übung Schloss Sommer Winter Frühling Brötchen Käse Tür Schlüssel
  Frühstück Fußball Großmutter Junge Kind Hund Katze Apfel Brot Wasser Bier danke bitte
  "guten Morgen" "auf Wiedersehen" Entschuldigung schön süß groß müde Buch Zug Österreich Gemüse
  Kaffee Milch
)
english=(
  house home castle summer winter spring hello goodbye "thank you" please potato window school
  forest island egg heart boy girl cat dog bread cheese coffee tea cake book car beer river
  mother father brother sister street breakfast exercise key
)

# The words a language's sounds may be for: the headwords of the lists whose source it is and the
# translations (split at commas) of the lists whose target it is.
known_words() {  # language code: Fre, Ger or Eng
  local code=$1
  {
    for f in "$root"/data/src/"${code}"_*.tsv; do
      grep -v '^#' "$f" | cut -f1
    done
    for f in "$root"/data/src/*_"${code}".tsv; do
      grep -v '^#' "$f" | cut -f2 | tr ',' '\n' | sed 's/^ *//; s/ *$//'
    done
  } | sort -u
}

speak() {  # language name, file-name code, espeak voice, words...
  local language=$1 code=$2 voice=$3
  shift 3
  local dir=$root/data/sound/$language known tmp
  known=$(known_words "$code")
  tmp=$(mktemp --suffix=.wav)
  mkdir -p "$dir"
  for word in "$@"; do
    # A word that names no plain file cannot have a sound: the program refuses such paths.
    case $word in
      */* | .*) echo "make-sounds: skipping \"$word\"" >&2; continue ;;
    esac
    grep -Fxq -- "$word" <<<"$known" || { echo "make-sounds: \"$word\" is not a $language word of the lists" >&2; exit 1; }
    espeak-ng -v "$voice" -s 140 -w "$tmp" -- "$word"
    # Trim the silence at both ends, keep 30 ms of it; no dither, so that a run repeats exactly.
    sox -D "$tmp" -r 16000 -c 1 -b 16 "$dir/$word.wav" \
      silence 1 0.01 0.5% reverse silence 1 0.01 0.5% reverse pad 0.03 0.03
  done
  rm -f "$tmp"
}

speak French Fre fr "${french[@]}"
speak German Ger de "${german[@]}"
speak English Eng en "${english[@]}"
