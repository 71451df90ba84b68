#pragma once

#include <QFont>
#include <QHash>
#include <QImage>
#include <QFontMetrics>
#include <QStaticText>
#include <QString>

#include "pages/htmlformat.h"

// Fonts, text measures and shaped texts, kept across pages: the same words in
// the same fonts come back on page after page, and shaping text is the
// largest cost of showing a page. Texts are measured for the kind of device
// pages are drawn into (a 32-bit page buffer), so the layout's measures and
// the drawn text agree whatever the screen. Each page control keeps one; it
// is bounded and lives on the user-interface thread.
class TextCache {
 public:
  TextCache();

  struct Extent {
    int Width = 0;
    int Height = 0;
    int Ascent = 0;
    int Descent = 0;
  };

  // The font of a font state with character spacing (and underline for hint links).
  const QFont& Font(const FontState& state, int tracking, bool underline = false);
  const QFontMetrics& Metrics(const FontState& state, int tracking);
  Extent Measure(const FontState& state, int tracking, const QString& text);
  // The text shaped once for its font, ready to be drawn.
  const QStaticText& Shaped(const FontState& state, int tracking, bool underline, const QString& text);

  void Clear();

 private:
  struct FontKey {
    QString Face;
    int Size = 0;
    int Style = 0;
    int Tracking = 0;
    bool operator==(const FontKey&) const = default;
  };
  struct TextKey {
    FontKey Font;
    QString Text;
    bool operator==(const TextKey&) const = default;
  };
  friend size_t qHash(const FontKey& k, size_t seed) { return qHashMulti(seed, k.Face, k.Size, k.Style, k.Tracking); }
  friend size_t qHash(const TextKey& k, size_t seed) {
    return qHashMulti(seed, k.Font.Face, k.Font.Size, k.Font.Style, k.Font.Tracking, k.Text);
  }
  static FontKey key(const FontState& state, int tracking, bool underline);

  QImage device_;  // the metrics device: a page buffer's format and resolution
  QHash<FontKey, QFont> fonts_;
  QHash<FontKey, QFontMetrics> metrics_;
  QHash<TextKey, Extent> extents_;
  QHash<TextKey, QStaticText> shaped_;
};
