// Family name -> installed font file, through a fixed alias table and
// fontconfig. Fontconfig's own fallback differs between machines, so a match
// is only taken when its family is the one asked for; everything else falls
// back to DejaVu Sans, which keeps text identical on every machine that has
// the same fonts installed.
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

#include "platform/graphics/FontEngine.h"
#include "platform/rtl/Exceptions.h"

namespace qel {
namespace {

constexpr const char* kDefaultFamily = "DejaVu Sans";

struct Alias {
  const char* name;  // lower case
  const char* family;
};
constexpr Alias kAliases[] = {
    {"arial", "Liberation Sans"},        {"helvetica", "Liberation Sans"},
    {"times new roman", "Liberation Serif"}, {"times", "Liberation Serif"},
    {"courier new", "Liberation Mono"},  {"courier", "Liberation Mono"},
    // Pinned so that an installed look-alike does not change layouts.
    {"tahoma", kDefaultFamily},          {"ms sans serif", kDefaultFamily},
    {"ms shell dlg", kDefaultFamily},    {"ms shell dlg 2", kDefaultFamily},
    {"default", kDefaultFamily},         {"", kDefaultFamily},
};

std::string Lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

std::string TargetFamily(const std::string& name) {
  std::string key = Lower(Trim(name));
  for (const Alias& a : kAliases)
    if (key == a.name) return a.family;
  return Trim(name);
}

FcConfig* Config() {
  static FcConfig* config = FcInitLoadConfigAndFonts();
  return config;
}

bool HasFamily(FcPattern* p, const std::string& family) {
  std::string want = Lower(family);
  FcChar8* s = nullptr;
  for (int i = 0; FcPatternGetString(p, FC_FAMILY, i, &s) == FcResultMatch; ++i)
    if (Lower(reinterpret_cast<const char*>(s)) == want) return true;
  return false;
}

struct FaceStyle {
  int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
};

// The face's own weight and slant. A match cannot tell: fontconfig's
// synthetic-style rules rewrite them in the match when they embolden or slant.
FaceStyle OwnStyle(const std::string& file, int index) {
  FaceStyle style;
  FcPattern* pat = FcPatternCreate();
  FcPatternAddString(pat, FC_FILE, reinterpret_cast<const FcChar8*>(file.c_str()));
  FcPatternAddInteger(pat, FC_INDEX, index);
  FcObjectSet* objects = FcObjectSetBuild(FC_WEIGHT, FC_SLANT, nullptr);
  FcFontSet* fonts = FcFontList(Config(), pat, objects);
  if (fonts && fonts->nfont > 0) {
    FcPatternGetInteger(fonts->fonts[0], FC_WEIGHT, 0, &style.weight);
    FcPatternGetInteger(fonts->fonts[0], FC_SLANT, 0, &style.slant);
  }
  if (fonts) FcFontSetDestroy(fonts);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pat);
  return style;
}

// The match for one family, or nothing when fontconfig would substitute.
std::optional<ResolvedFont> MatchFamily(const std::string& family, bool bold, bool italic, bool exact) {
  FcPattern* pat = FcPatternCreate();
  FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddInteger(pat, FC_WIDTH, FC_WIDTH_NORMAL);
  FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(Config(), pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult result;
  FcPattern* match = FcFontMatch(Config(), pat, &result);
  FcPatternDestroy(pat);
  if (!match) return std::nullopt;

  std::optional<ResolvedFont> found;
  FcChar8* file = nullptr;
  FcBool scalable = FcFalse;
  FcPatternGetBool(match, FC_SCALABLE, 0, &scalable);
  if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && scalable &&
      (!exact || HasFamily(match, family))) {
    ResolvedFont r;
    FcChar8* name = nullptr;
    r.Family = FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch
                   ? reinterpret_cast<const char*>(name) : family;
    if (exact) r.Family = family;
    r.File = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(match, FC_INDEX, 0, &r.FaceIndex);
    FaceStyle own = OwnStyle(r.File, r.FaceIndex);
    r.SyntheticBold = bold && own.weight < FC_WEIGHT_DEMIBOLD;
    r.SyntheticItalic = italic && own.slant == FC_SLANT_ROMAN;
    found = r;
  }
  FcPatternDestroy(match);
  return found;
}

ResolvedFont ResolveUncached(const std::string& name, bool bold, bool italic) {
  if (auto r = MatchFamily(TargetFamily(name), bold, italic, true)) return *r;
  if (auto r = MatchFamily(kDefaultFamily, bold, italic, true)) return *r;
  // No DejaVu Sans: whatever sans-serif face the machine has.
  if (auto r = MatchFamily("sans-serif", bold, italic, false)) return *r;
  throw Exception("No scalable font is installed (install fonts-dejavu-core)");
}

}  // namespace

ResolvedFont ResolveFont(const std::string& Family, bool Bold, bool Italic) {
  static std::mutex mutex;
  static std::map<std::string, ResolvedFont> cache;
  std::string key = Lower(Trim(Family)) + char('0' + Bold) + char('0' + Italic);
  std::lock_guard<std::mutex> lock(mutex);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  if (cache.size() >= 1024) cache.clear();  // a program inventing names cannot grow this forever
  return cache.emplace(key, ResolveUncached(Family, Bold, Italic)).first->second;
}

}  // namespace qel
