// Pens, brushes, fonts, bitmaps and the canvas that draws on them.
//
// The canvas follows the platform's drawing rules exactly:
//  - a line from (x1, y1) to (x2, y2) leaves out its end point;
//  - Rectangle(x1, y1, x2, y2) covers x1..x2-1 and y1..y2-1, pen on the border,
//    brush inside; FillRect uses the brush only; FrameRect draws a one-pixel
//    border with the brush colour;
//  - Ellipse/Arc/Pie/Chord take the bounding box in the same convention; arcs
//    run counter-clockwise from the radial through (x3, y3) to the radial
//    through (x4, y4);
//  - text is anchored at the top-left of its cell (rotated with the font's
//    Orientation around that point); an opaque brush fills the cell.
//
// Sections: pen, brush, font, canvas, bitmap, device-context style helpers.
#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/graphics/Colors.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/Set.h"
#include "platform/rtl/Types.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

class TStream;
class TBitmap;
class TCanvas;

// ---------------------------------------------------------------- pen ----

/// How a pen draws: solid, dashed, dotted, not at all (psClear), or inside a shape's frame.
enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
/// The platform's 16 binary raster operations, in its order.
enum TPenMode : uint8_t {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

/// The base of pens, brushes and fonts: any change fires OnChange.
class TGraphicsObject : public TPersistent {
 public:
  /// Fires when a setting changes.
  TNotifyEvent OnChange;

 protected:
  /// Fires OnChange.
  void Changed() { if (OnChange) OnChange(this); }
};

/// The pen a canvas draws lines and outlines with.
class TPen : public TGraphicsObject {
 public:
  /// Colour of lines.
  ///@{
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);
  ///@}
  /// Width of lines in pixels.
  ///@{
  int GetWidth() const { return width_; }
  void SetWidth(int v);  ///< Values below 1 become 1
  ///@}
  /// Dash pattern.
  ///@{
  TPenStyle GetStyle() const { return style_; }
  void SetStyle(TPenStyle v);
  ///@}
  /// How the pen combines with what is drawn over (raster operation).
  ///@{
  TPenMode GetMode() const { return mode_; }
  void SetMode(TPenMode v);
  ///@}
  /// Copies every setting from another pen.
  void Assign(TPersistent* Source) override;

 private:
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
};

// -------------------------------------------------------------- brush ----

/// Solid fill, or none.
enum TBrushStyle : uint8_t { bsSolid, bsClear };

/// The brush a canvas fills shapes and text cells with.
class TBrush : public TGraphicsObject {
 public:
  /// Fill colour.
  ///@{
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);  ///< A colour makes a clear brush solid again, as on the platform
  ///@}
  /// Solid fill, or none.
  ///@{
  TBrushStyle GetStyle() const { return style_; }
  void SetStyle(TBrushStyle v);
  ///@}
  /// Copies both settings from another brush.
  void Assign(TPersistent* Source) override;

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
};

// --------------------------------------------------------------- font ----

/// Font styles.
enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
/// A set of font styles.
using TFontStyles = TSet<TFontStyle>;
/// Fixed or variable character width (fpDefault: as the face has it).
enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
/// How text is rendered: antialiased or not (the others map onto these).
enum TFontQuality : uint8_t {
  fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType, fqClearTypeNatural
};

/// Dots per inch of the screen, for converting points to pixels.
constexpr int ScreenPixelsPerInch = 96;

/// The platform's logical font description, for code that reads a font back,
/// changes escapement/orientation and makes a new one (rotated text).
struct TLogFont {
  int lfHeight = 0;       ///< < 0: character height in pixels; > 0: cell height
  /// Average character width (0: the face's own).
  int lfWidth = 0;
  int lfEscapement = 0;   ///< Tenths of a degree, counter-clockwise
  /// Angle of each character in tenths of a degree.
  int lfOrientation = 0;
  int lfWeight = 400;     ///< 700 is bold
  /// Styles (non-zero: on).
  ///@{
  uint8_t lfItalic = 0, lfUnderline = 0, lfStrikeOut = 0;
  ///@}
  /// Kept from the platform's description; only the face name and the charset matter here.
  ///@{
  uint8_t lfCharSet = 1, lfOutPrecision = 0, lfClipPrecision = 0, lfQuality = 0, lfPitchAndFamily = 0;
  ///@}
  /// Name of the font face.
  std::string lfFaceName;
};
/// A font made from a description (shared, never changed).
using HFONT = std::shared_ptr<const TLogFont>;
/// Makes a font from a description.
HFONT CreateFontIndirect(const TLogFont& LogFont);

/// A font: face name, size, style, colour, orientation and rendering quality; any change fires OnChange.
class TFont : public TGraphicsObject {
 public:
  /// An 8-point Tahoma in the window text colour.
  TFont();
  /// Name of the font face (fontconfig finds the closest installed one).
  ///@{
  const std::string& GetName() const { return name_; }
  void SetName(const std::string& v);
  ///@}
  /// Size in points, Height in pixels (negative: character height without the
  /// internal leading); each is derived from the other at 96 dots per inch.
  ///@{
  int GetSize() const;
  void SetSize(int points);
  int GetHeight() const { return height_; }
  void SetHeight(int pixels);
  ///@}
  /// Bold, italic, underline and strike-out.
  ///@{
  TFontStyles GetStyle() const { return style_; }
  void SetStyle(TFontStyles v);
  ///@}
  /// Colour of the text.
  ///@{
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);
  ///@}
  ///@{
  int GetOrientation() const { return orientation_; }  ///< Tenths of a degree, counter-clockwise
  void SetOrientation(int v);
  ///@}
  /// Antialiased or not.
  ///@{
  TFontQuality GetQuality() const { return quality_; }
  void SetQuality(TFontQuality v);
  ///@}
  /// Fixed or variable character width.
  ///@{
  TFontPitch GetPitch() const { return pitch_; }
  void SetPitch(TFontPitch v);
  ///@}
  /// Character set number (kept; text is UTF-8 whatever it says).
  ///@{
  uint8_t GetCharset() const { return charset_; }
  void SetCharset(uint8_t v);
  ///@}
  /// The description of this font, and taking all settings from one.
  ///@{
  HFONT GetHandle() const;
  void SetHandle(const HFONT& h);
  ///@}
  /// Copies every setting from another font.
  void Assign(TPersistent* Source) override;

 private:
  std::string name_ = "Tahoma";
  int height_ = -11;  // 8 points
  TFontStyles style_;
  TColor color_ = clWindowText;
  int orientation_ = 0;
  TFontQuality quality_ = fqDefault;
  TFontPitch pitch_ = fpDefault;
  uint8_t charset_ = 1;
};

/// Reads a font's description into LogFont (the platform's GetObject).
void GetObject(const TFont& Font, TLogFont& LogFont);

// ------------------------------------------------------------- canvas ----

using TCopyMode = uint32_t;  ///< Ternary raster operation codes
/// Raster operations of CopyRect and BitBlt: how source and destination pixels combine.
///@{
constexpr TCopyMode cmBlackness = 0x00000042, cmDstInvert = 0x00550009, cmMergePaint = 0x00BB0226,
                    cmNotSrcCopy = 0x00330008, cmNotSrcErase = 0x001100A6, cmSrcAnd = 0x008800C6,
                    cmSrcCopy = 0x00CC0020, cmSrcErase = 0x00440328, cmSrcInvert = 0x00660046,
                    cmSrcPaint = 0x00EE0086, cmWhiteness = 0x00FF0062;
///@}
/// The same operations by the platform's names.
///@{
constexpr TCopyMode BLACKNESS = cmBlackness, DSTINVERT = cmDstInvert, NOTSRCCOPY = cmNotSrcCopy,
                    SRCAND = cmSrcAnd, SRCCOPY = cmSrcCopy, SRCINVERT = cmSrcInvert,
                    SRCPAINT = cmSrcPaint, WHITENESS = cmWhiteness, MERGEPAINT = cmMergePaint,
                    SRCERASE = cmSrcErase, NOTSRCERASE = cmNotSrcErase;
///@}

/// FloodFill: fill the area of one colour (fsSurface) or up to a border colour (fsBorder).
enum TFillStyle : uint8_t { fsSurface, fsBorder };

/// Stretch modes: nearest pixel (COLORONCOLOR, the default) or area averaging.
///@{
constexpr int BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4;
///@}

/// What GetPixels gives outside the clip.
constexpr TColor CLR_INVALID = 0xFFFFFFFF;

/// Draws lines, shapes, text and pictures onto a bitmap, clipped, with a pen, a brush and a font.
class TCanvas : public TPersistent {
 public:
  /// A canvas on nothing draws nothing until SetTarget gives it a surface.
  TCanvas();
  /// A canvas drawing on the whole of Surface.
  explicit TCanvas(TBitmap* Surface);
  /// Frees the pen, brush and font.
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  /// Where drawing lands: a surface bitmap, the canvas origin within it and
  /// the part of the surface (surface coordinates) drawing may touch. A
  /// bitmap's own canvas has origin (0, 0) and the whole bitmap as clip; a
  /// control's canvas is a window onto its form's frame buffer.
  void SetTarget(TBitmap* Surface, TPoint Origin, const TRect& SurfaceClip);

  /// The pen of lines and outlines.
  TPen* Pen() { return pen_.get(); }
  /// The brush of fills and opaque text cells.
  TBrush* Brush() { return brush_.get(); }
  /// The font of text.
  TFont* Font() { return font_.get(); }
  /// Where LineTo starts.
  ///@{
  TPoint GetPenPos() const { return penPos_; }
  void SetPenPos(TPoint p) { penPos_ = p; }
  ///@}
  /// How CopyRect and StretchDraw combine pixels.
  ///@{
  TCopyMode GetCopyMode() const { return copyMode_; }
  void SetCopyMode(TCopyMode m) { copyMode_ = m; }
  ///@}
  /// How stretching picks pixels: COLORONCOLOR (nearest) or HALFTONE (area average).
  ///@{
  int GetStretchBltMode() const { return stretchMode_; }
  void SetStretchBltMode(int m) { stretchMode_ = m; }
  ///@}

  /// The clip rectangle in canvas coordinates. SetClipRect narrows drawing to
  /// R within the target's clip; ResetClipRect lifts that again.
  ///@{
  TRect GetClipRect() const;
  void SetClipRect(const TRect& R);
  void ResetClipRect();
  ///@}

  // Lines and shapes
  /// Sets the pen position.
  void MoveTo(int X, int Y);
  /// A line with the pen to (X, Y), leaving out the end point; the pen position moves there.
  void LineTo(int X, int Y);
  /// Lines through the points with the pen.
  void Polyline(std::span<const TPoint> Points);
  void Polygon(std::span<const TPoint> Points);  ///< Alternate fill
  /// A rectangle (X2, Y2 exclusive): pen on the border, brush inside.
  ///@{
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
  ///@}
  /// Fills R with the brush.
  void FillRect(const TRect& R);
  /// A one-pixel frame around R in the brush colour.
  void FrameRect(const TRect& R);
  /// An ellipse in the bounding box: pen outline, brush inside.
  ///@{
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
  ///@}
  /// An arc of the ellipse, counter-clockwise from the radial through (X3, Y3) to the one through (X4, Y4).
  void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  /// A pie slice: the arc and its two radii, filled.
  void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  /// The arc closed by its chord, filled.
  void Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  /// Fills with the brush from (X, Y) over the area of Color (fsSurface) or up to Color (fsBorder).
  void FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle);

  /// Single pixels; reading outside the clip gives CLR_INVALID.
  TColor GetPixels(int X, int Y) const;
  /// Sets one pixel (nothing outside the clip).
  void SetPixels(int X, int Y, TColor Color);

  /// Text (UTF-8). TextOut moves the pen position to the end of the text.
  /// Positions along the text are 64-bit: the end of a very long string lands
  /// where it belongs. Before, when not 0, is the character drawn just ahead
  /// of Text: a piece of a line then kerns with it as in the whole line.
  void TextOut(int X, int Y, const std::string& Text);
  /// Text clipped to R, at (X, Y).
  void TextRect(const TRect& R, int X, int Y, const std::string& Text, char32_t Before = 0);
  /// Saturates at INT_MAX.
  int TextWidth(const std::string& Text, char32_t Before = 0);
  /// Height of the text's cell in pixels.
  int TextHeight(const std::string& Text);
  /// Width and height of the text in pixels.
  TSize TextExtent(const std::string& Text);

  /// Pictures. Draw honours a bitmap's Transparent setting; CopyRect and the
  /// stretch use CopyMode and the stretch mode.
  void Draw(int X, int Y, const TBitmap* Graphic);
  /// A picture stretched into R.
  void StretchDraw(const TRect& R, const TBitmap* Graphic);
  /// Copies a rectangle of another canvas into Dest (stretched when the sizes differ).
  void CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect);

  // --- for the drawing code: the surface behind this canvas ---
  /// The bitmap drawing lands on.
  TBitmap* Surface() const { return surface_; }
  /// Where the canvas's (0, 0) lies on the surface.
  TPoint Origin() const { return origin_; }
  /// The writable part of the surface, in surface coordinates (never larger
  /// than the surface itself; empty when there is none).
  TRect DeviceClip() const;

 private:
  TBitmap* surface_ = nullptr;
  TPoint origin_{};
  TRect targetClip_{-(1 << 29), -(1 << 29), 1 << 29, 1 << 29};
  TRect userClip_{};
  bool hasUserClip_ = false;
  std::unique_ptr<TPen> pen_;
  std::unique_ptr<TBrush> brush_;
  std::unique_ptr<TFont> font_;
  TPoint penPos_{};
  TCopyMode copyMode_ = cmSrcCopy;
  int stretchMode_ = COLORONCOLOR;
};

/// Device-context style calls for code written against the platform API; an
/// HDC is a canvas.
using HDC = TCanvas*;
int SetStretchBltMode(HDC DC, int Mode);  ///< Returns the previous mode
/// Copies a rectangle between canvases, stretched to the destination's size.
bool StretchBlt(HDC Dest, int X, int Y, int W, int H, HDC Source, int SX, int SY, int SW, int SH, TCopyMode Rop);
/// Copies a rectangle between canvases (Rop: how pixels combine).
bool BitBlt(HDC Dest, int X, int Y, int W, int H, HDC Source, int SX, int SY, TCopyMode Rop);
int MulDiv(int Number, int Numerator, int Denominator);  ///< Rounded; -1 when Denominator is 0
/// The focus frame: every other pixel of R's edge inverted, so drawing it
/// twice removes it.
void DrawFocusRect(HDC DC, const TRect& R);

/// Which side of an edge takes the top-right and the bottom-left corner,
/// where a top or left line meets a bottom or right one.
enum TEdgeCorner : uint8_t {
  ecDark,   ///< The bottom or right line (the usual 3D look)
  ecLight,  ///< The top or left line
  ecOpen    // neither: the pixel is left as it was
};
/// Which lines DrawEdge draws and who takes the corners.
struct TEdgeShape {
  /// Who takes the top-right and bottom-left corners.
  ///@{
  TEdgeCorner TopRight = ecDark, BottomLeft = ecDark;
  ///@}
  bool Rows = true;     ///< The top and bottom lines
  bool Columns = true;  ///< The left and right lines
};
/// The one-pixel edge just inside R: Light on the top and left lines, Dark on
/// the bottom and right ones (a sunken edge passes its shadow as Light).
/// clNone leaves that colour out. The top-left corner is always light, the
/// bottom-right always dark; where the rectangle is one pixel thin, dark
/// wins. Drawn in the copy mode without pen or brush, which stay as they are.
void DrawEdge(TCanvas* Canvas, const TRect& R, TColor Light, TColor Dark, TEdgeShape Shape = {});

// ------------------------------------------------------------- bitmap ----

/// Where a bitmap's see-through colour comes from: its bottom-left pixel (tmAuto) or TransparentColor (tmFixed).
enum TTransparentMode : uint8_t { tmAuto, tmFixed };

/// A picture of 32-bit pixels (0x00RRGGBB) with a canvas, image file reading and writing, and transparency.
class TBitmap : public TPersistent {
 public:
  /// An empty bitmap.
  TBitmap();
  /// A white bitmap of the size.
  TBitmap(int Width, int Height);
  /// Frees the pixels.
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  /// Size in pixels; setting keeps the overlapping pixels.
  ///@{
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  void SetWidth(int W) { SetSize(W, height_); }
  void SetHeight(int H) { SetSize(width_, H); }
  ///@}
  /// Keeps the overlapping pixels; new pixels are white. Raises EOutOfMemory
  /// for sizes that cannot be allocated; negative sizes count as 0.
  void SetSize(int W, int H);
  /// Whether the bitmap has no pixels.
  bool Empty() const { return width_ == 0 || height_ == 0; }

  /// Row Y of pixels (0x00RRGGBB each), Width of them, top row first.
  ///@{
  uint32_t* ScanLine(int Y) { return pixels_.data() + size_t(Y) * size_t(width_); }
  const uint32_t* ScanLine(int Y) const { return pixels_.data() + size_t(Y) * size_t(width_); }
  ///@}

  /// The canvas that draws on the bitmap.
  TCanvas* Canvas() { return canvas_.get(); }

  /// Transparent: Draw leaves out the pixels of TransparentColor (with tmAuto
  /// the colour of the bottom-left pixel).
  ///@{
  bool GetTransparent() const { return transparent_; }
  void SetTransparent(bool v) { transparent_ = v; }
  TColor GetTransparentColor() const;
  void SetTransparentColor(TColor c) { transparentColor_ = c; transparentMode_ = tmFixed; }
  TTransparentMode GetTransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode m) { transparentMode_ = m; }
  ///@}

  /// Image files: BMP (1, 4, 8, 24, 32 bits; uncompressed, RLE4, RLE8), PNG
  /// and JPEG (turned upright by its Exif orientation), told apart by their
  /// first bytes. Bad data raises EInvalidGraphic and leaves the bitmap as it
  /// was. Saving writes PNG for a ".png" name,
  /// else a 32-bit BMP; SaveToStream writes BMP.
  ///@{
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName) const;
  void LoadFromStream(TStream& Stream);
  void SaveToStream(TStream& Stream) const;
  ///@}
  /// As LoadFromFile, for a picture to be shown no larger than FitSide pixels
  /// on its longer side: a JPEG is decoded at 1/2, 1/4 or 1/8 of its size
  /// where its longer side stays at least FitSide, which is several times
  /// faster. Other formats load whole.
  void LoadPreviewFromFile(const std::string& FileName, int FitSide);
  /// A picture embedded in the library at build time; EResNotFound if unknown.
  ///@{
  void LoadFromResourceName(uintptr_t Instance, const std::string& ResName);
  void LoadFromResourceName(const std::string& ResName) { LoadFromResourceName(0, ResName); }
  ///@}

  /// Copies pixels and settings from another bitmap, never sharing them.
  void Assign(TPersistent* Source) override;

 private:
  int width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
  std::unique_ptr<TCanvas> canvas_;
  bool transparent_ = false;
  TColor transparentColor_ = clDefault;
  TTransparentMode transparentMode_ = tmAuto;
};

/// The instance handle resources are loaded from (there is one: 0).
constexpr uintptr_t HInstance = 0;

QEL_API_END
}  // namespace qel
