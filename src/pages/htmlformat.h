#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

// Colours are 32-bit values with red in the low byte, then green, then blue.
// Three values are markers rather than colours.
using TColor = qint32;
inline constexpr TColor kPageTextColor = 0x7FFFFFFF;  // drawn in the page's text colour
inline constexpr TColor kPageLinkColor = 0x5FFFFFFF;  // drawn in the page's link colour
inline constexpr TColor kNoColor = -1;
inline constexpr TColor kWhite = 0xFFFFFF;
inline constexpr TColor kBlack = 0;

constexpr TColor RGBColor(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }
constexpr int RedOf(TColor c) { return c & 0xFF; }
constexpr int GreenOf(TColor c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(TColor c) { return (c >> 16) & 0xFF; }

enum class ElementKind : int { Word = 0, Space = 1, LineBreak = 2, Paragraph = 3, BoxMark = 4, CheckMark = 5, ImageMark = 6 };
const char* ElementKindName(ElementKind kind);

// Font style bits.
enum FontStyle : int { StyleBold = 1, StyleItalic = 2, StyleUnderline = 4 };

// The font part of the format record; copied as a whole into save slots and styles.
struct FontState {
  int Style = 0;
  QString FaceName = QStringLiteral("Times New Roman");
  int Size = 3;
  TColor TextColor = kPageTextColor;
  TColor LinkColor = kNoColor;
  TColor BackColor = kBlack;
  bool NoBack = true;
  TColor FlashColor = kNoColor;
  bool Hot = false;
  quint8 Charset = 0;

  bool operator==(const FontState&) const = default;
};

// The format record every element carries a copy of.
struct tHTML_format {
  int TagSerial = -1;
  int TabPos = 0;
  int BoxIndex = -1;
  int CheckIndex = -1;
  int BoxLeft = 8;
  int BoxTop = -1;
  int BoxWidth = -1;
  int CheckSize = 0;
  int CheckSpacing = 0;
  int LineSpace = 1;
  quint8 Align = 0;  // 0 left, 1 centred, 2 right, 3 justified
  FontState Font;
  int LinkIndex = -1;
  bool Flash = false;
  int Tracking = 0;
  int GapIndex = -1;
  bool Pre = false;
  int WordGroup = -1;
  int PictureIndex = -1;
  int ImgRadius = 0;
  int ImgAlpha = 255;
  quint8 ImgMode = 0;
  int ImgColor = 255;
  int ImgSecond = -1;
  int ImgScale = 100;
  int ImgBase = 0;
  quint8 ImgAlign = 0;
  QString ImgAlt;
  QString ImgUseMap;

  // The picture fields as every IMG tag starts them.
  void resetPicture();
  bool operator==(const tHTML_format&) const = default;
};

// One element of the page document.
struct TXText {
  QString Text;
  ElementKind Kind = ElementKind::Word;
  tHTML_format Format;
  // Layout results.
  int Width = 0;
  int Height = 0;
  int Ascent = 0;
  int Descent = 0;
  int RunWidth = 0;
  int X = 0;
  int Y = 0;
};

using tFormatted_text_list = std::vector<TXText>;
