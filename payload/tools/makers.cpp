#include "makers.h"

#include <cstdlib>

#include "binary_tables.h"
#include "bitmaps.h"
#include "random_source.h"
#include "sounds.h"
#include "text_tables.h"

namespace {

bool Number(const ListedEntry& entry, std::size_t index, long& value, std::string& error) {
  if (index >= entry.args.size()) {
    error = entry.name + ": " + entry.maker + " needs more arguments";
    return false;
  }
  char* end = nullptr;
  value = std::strtol(entry.args[index].c_str(), &end, 10);
  if (*end != '\0' || value <= 0) {
    error = entry.name + ": bad number " + entry.args[index];
    return false;
  }
  return true;
}

Bytes FromText(const std::string& text) { return Bytes(text.begin(), text.end()); }

}  // namespace

bool IsBuiltElsewhere(const ListedEntry& entry) {
  return entry.maker == "build32" || entry.maker == "build64" || entry.maker == "skin";
}

bool MakeEntry(const ListedEntry& entry, int palette, Bytes& out, std::string& error) {
  // Seeded by name: an entry's bytes do not depend on its place in the list.
  RandomSource random(entry.name);
  const std::string& maker = entry.maker;
  const std::string kind = entry.args.empty() ? "" : entry.args[0];
  long size = 0;
  long second = 0;
  if (maker == "splash") {
    out = EncodeBmp(DrawSplash());
  } else if (maker == "picture") {
    Canvas canvas(0, 0);
    if (!Number(entry, 1, size, error) || !Number(entry, 2, second, error)) return false;
    if (!DrawPicture(kind, static_cast<int>(size), static_cast<int>(second), PaletteOf(palette), canvas)) {
      error = entry.name + ": unknown picture style " + kind;
      return false;
    }
    out = EncodeBmp(canvas);
  } else if (maker == "sound") {
    if (!Number(entry, 0, size, error) || !Number(entry, 1, second, error)) return false;
    out = ToneWave(static_cast<int>(size), static_cast<int>(second));
  } else if (maker == "words") {
    if (!Number(entry, 1, size, error)) return false;
    out = FromText(WordDictionary(random, kind, static_cast<std::size_t>(size)));
  } else if (maker == "chars") {
    if (!Number(entry, 1, size, error)) return false;
    out = FromText(CharacterTable(kind, static_cast<std::size_t>(size)));
  } else if (maker == "pairs" || maker == "phrases" || maker == "custom" || maker == "symbols" ||
             maker == "index" || maker == "fonts") {
    if (!Number(entry, 0, size, error)) return false;
    const std::size_t length = static_cast<std::size_t>(size);
    if (maker == "pairs") out = FromText(CodePairs(random, length));
    if (maker == "phrases") out = FromText(Phrases(random, length));
    if (maker == "custom") out = FromText(CustomCodes(random, length));
    if (maker == "symbols") out = FromText(SymbolTable(random, length));
    if (maker == "index") out = IndexTable(random, length);
    if (maker == "fonts") out = FontSettings(random, length);
  } else if (maker == "strokes") {
    out = StrokeTable(random, kind);
  } else if (maker == "settings") {
    if (!Number(entry, 0, size, error)) return false;
    out = SettingsRecord(random, static_cast<int>(size));
  } else if (maker == "skinrecord") {
    out = SkinRecord(palette);
  } else {
    error = entry.name + ": unknown maker " + maker;
    return false;
  }
  return true;
}
