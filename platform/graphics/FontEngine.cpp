// FreeType side of the font engine: the library, faces, sized instances,
// metrics and glyph rasterising into the glyph cache.
//
// Sections: engine state, instance metrics, glyphs, public entry points.
#include "platform/graphics/FontEngine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include "platform/graphics/Graphics.h"
#include "platform/rtl/Exceptions.h"

namespace qel {
namespace {

// Larger sizes are drawn at this size: one glyph bitmap stays a few megabytes.
constexpr int kMaxEmPixels = 2000;
constexpr int kDefaultHeight = -11;  // a Height of 0 means the default size
constexpr size_t kMaxInstances = 128;
constexpr int kKerningBits = 12;
constexpr size_t kKerningSlots = size_t(1) << kKerningBits;

// ------------------------------------------------------- engine state ----

struct Engine {
  std::mutex mutex;
  FT_Library library = nullptr;
  std::map<std::string, FT_Face> faces;  // "file#index"
  std::map<std::string, std::unique_ptr<FontInstance>> instances;
  uint32_t nextInstanceId = 1;
  GlyphCache glyphs;
  // The last font asked for: the common case of a canvas drawing many
  // strings in one font skips building the key.
  std::string lastName;
  int lastHeight = 0;
  uint8_t lastStyle = 0xFF;
  FontInstance* lastInstance = nullptr;

  Engine() {
    if (FT_Init_FreeType(&library) != 0) throw Exception("FreeType could not be initialised");
  }
  // Faces and the library live as long as the program; sizes belong to faces.
  ~Engine() {
    instances.clear();
    for (auto& f : faces) FT_Done_Face(f.second);
    FT_Done_FreeType(library);
  }
};

Engine& TheEngine() {
  static Engine engine;
  return engine;
}

FT_Face OpenFace(Engine& e, const ResolvedFont& font) {
  std::string key = font.File + '#' + std::to_string(font.FaceIndex);
  auto it = e.faces.find(key);
  if (it != e.faces.end()) return it->second;
  FT_Face face = nullptr;
  if (FT_New_Face(e.library, font.File.c_str(), font.FaceIndex, &face) != 0) face = nullptr;
  if (face && (!FT_IS_SCALABLE(face) || face->units_per_EM == 0)) {
    FT_Done_Face(face);
    face = nullptr;
  }
  if (!face) throw Exception("Cannot open font file " + font.File);
  e.faces.emplace(key, face);
  return face;
}

uint8_t StyleBits(const TFont& font) {
  return uint8_t(font.GetStyle().Contains(fsBold) | (font.GetStyle().Contains(fsItalic) << 1));
}

FontInstance& FindInstance(Engine& e, const TFont& font) {
  bool bold = font.GetStyle().Contains(fsBold), italic = font.GetStyle().Contains(fsItalic);
  ResolvedFont resolved = ResolveFont(font.GetName(), bold, italic);
  int height = font.GetHeight() == 0 ? kDefaultHeight : font.GetHeight();
  std::string key = resolved.File + '#' + std::to_string(resolved.FaceIndex) + '#' +
                    std::to_string(height) + char('0' + resolved.SyntheticBold) +
                    char('0' + resolved.SyntheticItalic);
  auto it = e.instances.find(key);
  if (it != e.instances.end()) return *it->second;
  if (e.instances.size() >= kMaxInstances) {
    // Glyph keys carry instance ids, so dropped instances' glyphs just age out.
    e.instances.clear();
    e.lastInstance = nullptr;
  }
  FT_Face face;
  try {
    face = OpenFace(e, resolved);
  } catch (const Exception&) {
    resolved = ResolveFont("", bold, italic);  // an unreadable file: draw in the default font
    face = OpenFace(e, resolved);
  }
  auto inst = std::make_unique<FontInstance>(e.nextInstanceId++, face, resolved, height);
  return *e.instances.emplace(key, std::move(inst)).first->second;
}

// ----------------------------------------------------- instance metrics ----

struct VerticalExtent {
  double ascent, descent;  // font units
};

// The Windows ascent/descent define the platform's cell; hhea values serve
// faces without them.
VerticalExtent CellExtent(FT_Face face) {
  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0)
    return {double(os2->usWinAscent), double(os2->usWinDescent)};
  if (face->ascender - face->descender > 0) return {double(face->ascender), double(-face->descender)};
  return {double(face->units_per_EM) * 0.8, double(face->units_per_EM) * 0.2};
}

int RoundPx(double v) { return int(std::lround(v)); }

FontMetrics ComputeMetrics(FT_Face face, int height) {
  VerticalExtent ext = CellExtent(face);
  double upem = face->units_per_EM, cell = ext.ascent + ext.descent;
  FontMetrics m;
  double scale;
  if (height < 0) {
    m.EmPixels = std::min(-height, kMaxEmPixels);
    scale = m.EmPixels / upem;
    m.Ascent = RoundPx(ext.ascent * scale);
    m.Descent = RoundPx(ext.descent * scale);
  } else {
    int h = std::min(height, kMaxEmPixels);
    m.EmPixels = std::clamp(RoundPx(h * upem / cell), 1, kMaxEmPixels);
    scale = h / cell;
    m.Ascent = RoundPx(ext.ascent * scale);
    m.Descent = h - m.Ascent;
  }
  m.Height = m.Ascent + m.Descent;

  m.UnderlineThickness = std::max(1, RoundPx(face->underline_thickness * scale));
  int underlineCentre = face->underline_position ? RoundPx(-face->underline_position * scale) : 1;
  m.UnderlineTop = m.Ascent + std::max(1, underlineCentre) - m.UnderlineThickness / 2;
  m.UnderlineTop = std::clamp(m.UnderlineTop, 0, std::max(0, m.Height - m.UnderlineThickness));

  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  double strikePos = upem * 0.26, strikeSize = face->underline_thickness;
  if (os2 && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
    strikePos = os2->yStrikeoutPosition;
    strikeSize = os2->yStrikeoutSize;
  }
  m.StrikeOutThickness = std::max(1, RoundPx(strikeSize * scale));
  m.StrikeOutTop = std::clamp(m.Ascent - RoundPx(strikePos * scale), 0, std::max(0, m.Height - 1));
  return m;
}

// Rotation counter-clockwise by Angle tenths of a degree, FreeType's y-up
// coordinates, 16.16; right angles exact.
FT_Matrix RotationMatrix(int angle) {
  double rad = angle * M_PI / 1800.0;
  FT_Fixed c = FT_Fixed(std::lround(std::cos(rad) * 65536.0));
  FT_Fixed s = FT_Fixed(std::lround(std::sin(rad) * 65536.0));
  return FT_Matrix{c, -s, s, c};
}

}  // namespace

// ------------------------------------------------------------- glyphs ----

FontInstance::FontInstance(uint32_t Id, FT_FaceRec_* Face, const ResolvedFont& Font, int Height)
    : id_(Id), face_(Face), syntheticBold_(Font.SyntheticBold), syntheticItalic_(Font.SyntheticItalic) {
  if (FT_New_Size(face_, &size_) != 0) throw Exception("FreeType could not create a font size");
  metrics_ = ComputeMetrics(face_, Height);
  Activate();
  if (FT_Set_Pixel_Sizes(face_, 0, FT_UInt(metrics_.EmPixels)) != 0)
    throw Exception("Font " + Font.File + " cannot be scaled");
  hasKerning_ = FT_HAS_KERNING(face_);
  emboldenStrength_ = FT_MulFix(face_->units_per_EM, face_->size->metrics.y_scale) / 24;
  advances_.assign(size_t(std::max<FT_Long>(face_->num_glyphs, 1)), -1);
}

FontInstance::~FontInstance() {
  if (size_) FT_Done_Size(size_);
}

void FontInstance::Activate() {
  if (face_->size != size_) FT_Activate_Size(size_);
}

uint32_t FontInstance::GlyphIndex(char32_t Ch) {
  if (Ch < latinGlyphs_.size()) {
    uint32_t& slot = latinGlyphs_[Ch];
    if (slot == 0) slot = FT_Get_Char_Index(face_, Ch) + 1;
    return slot - 1;
  }
  return FT_Get_Char_Index(face_, Ch);
}

bool FontInstance::Load(uint32_t Glyph, int32_t Flags) {
  Activate();
  if (FT_Load_Glyph(face_, Glyph, Flags | FT_LOAD_NO_BITMAP) != 0) return false;
  return face_->glyph->format == FT_GLYPH_FORMAT_OUTLINE;
}

int FontInstance::Advance(uint32_t Glyph) {
  if (Glyph >= advances_.size()) Glyph = 0;
  int32_t& adv = advances_[Glyph];
  if (adv < 0) {
    long x = Load(Glyph, FT_LOAD_TARGET_NORMAL) ? face_->glyph->advance.x : 0;
    if (syntheticBold_) x += std::max(64L, (emboldenStrength_ + 32) & ~63L);
    adv = int32_t(std::max(0L, (x + 32) >> 6));
  }
  return adv;
}

int FontInstance::Kerning(uint32_t Left, uint32_t Right) {
  if (!hasKerning_ || Left == 0 || Right == 0 || Left > 0xFFFF || Right > 0xFFFF) return 0;
  if (kerning_.empty()) kerning_.resize(kKerningSlots);
  uint32_t pair = (Left << 16) | Right;
  KernSlot& slot = kerning_[(pair * 2654435761u) >> (32 - kKerningBits)];
  if (slot.pair != pair) {
    Activate();
    FT_Vector k{};
    slot.pair = pair;
    slot.value = FT_Get_Kerning(face_, Left, Right, FT_KERNING_DEFAULT, &k) == 0 ? int32_t((k.x + 32) >> 6) : 0;
  }
  return slot.value;
}

const CachedGlyph& FontInstance::Render(uint32_t Glyph, bool Mono, int Angle) {
  if (Glyph > 0xFFFF) Glyph = 0;  // TrueType glyph indices are 16-bit
  uint64_t key = (uint64_t(id_) << 29) | (uint64_t(Mono) << 28) | (uint64_t(Angle & 0xFFF) << 16) | Glyph;
  GlyphCache& cache = TheEngine().glyphs;
  if (const CachedGlyph* hit = cache.Find(key)) return *hit;
  return cache.Insert(key, Rasterise(Glyph, Mono, Angle));
}

CachedGlyph FontInstance::Rasterise(uint32_t Glyph, bool Mono, int Angle) {
  CachedGlyph out;
  if (!Load(Glyph, Mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL)) return out;
  FT_Outline* outline = &face_->glyph->outline;
  if (syntheticBold_) {
    // Embolden grows the outline on both sides; shift it back so the glyph
    // keeps its left edge and the wider advance covers the growth.
    FT_Outline_Embolden(outline, emboldenStrength_);
    FT_Outline_Translate(outline, emboldenStrength_ / 2, 0);
  }
  if (syntheticItalic_) {
    FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees
    FT_Outline_Transform(outline, &shear);
  }
  if (Angle != 0) {
    FT_Matrix rotation = RotationMatrix(Angle);
    FT_Outline_Transform(outline, &rotation);
  }
  if (FT_Render_Glyph(face_->glyph, Mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return out;
  const FT_Bitmap& bm = face_->glyph->bitmap;
  out.Left = face_->glyph->bitmap_left;
  out.Top = -face_->glyph->bitmap_top;
  out.Width = int(bm.width);
  out.Height = int(bm.rows);
  out.Coverage.resize(size_t(out.Width) * out.Height);
  for (int y = 0; y < out.Height; ++y) {
    const unsigned char* row = bm.buffer + ptrdiff_t(y) * bm.pitch;
    uint8_t* dst = out.Coverage.data() + size_t(y) * out.Width;
    for (int x = 0; x < out.Width; ++x)
      dst[x] = bm.pixel_mode == FT_PIXEL_MODE_MONO ? ((row[x >> 3] >> (7 - (x & 7))) & 1) * 255 : row[x];
  }
  return out;
}

// ------------------------------------------------- public entry points ----

std::unique_lock<std::mutex> FontEngineLock() { return std::unique_lock<std::mutex>(TheEngine().mutex); }

FontInstance& InstanceFor(const TFont& Font) {
  Engine& e = TheEngine();
  uint8_t style = StyleBits(Font);
  if (e.lastInstance && e.lastHeight == Font.GetHeight() && e.lastStyle == style && e.lastName == Font.GetName())
    return *e.lastInstance;
  FontInstance& inst = FindInstance(e, Font);
  e.lastInstance = &inst;
  e.lastName = Font.GetName();
  e.lastHeight = Font.GetHeight();
  e.lastStyle = style;
  return inst;
}

FontMetrics GetFontMetrics(const TFont& Font) {
  auto lock = FontEngineLock();
  return InstanceFor(Font).Metrics();
}

GlyphCacheStats GetGlyphCacheStats() {
  auto lock = FontEngineLock();
  return TheEngine().glyphs.Stats();
}

void ResetGlyphCacheCounters() {
  auto lock = FontEngineLock();
  TheEngine().glyphs.ResetCounters();
}

void ClearGlyphCache() {
  auto lock = FontEngineLock();
  TheEngine().glyphs.Clear();
}

}  // namespace qel
