#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

#include "pages/htmlformat.h"

class QFontMetrics;
class QPainter;

// Text broken into lines the way the self-drawn controls draw it: at line
// breaks and, when wrapping, between words so that each line fits the
// width; a word wider than the width gets a line of its own. Every line is
// one font height high, so sizes are whole pixels and what is measured is
// what is drawn.
struct WrappedText {
  QStringList Lines;        // as written, "&" marks included
  std::vector<int> Widths;  // drawn width of each line
  int LineHeight = 0;
  bool Mnemonics = false;   // "&x" underlines x, "&&" is one ampersand

  QSize Size() const;
  static WrappedText Wrap(const QFontMetrics& metrics, const QString& text, int width, bool wrap, bool mnemonics);
  // Draws the lines from the top of `area`, each aligned within its width.
  void Draw(QPainter& painter, const QRect& area, Qt::Alignment horizontal) const;
};

// A framed note in a light colour that sizes itself to its text; a click
// puts it away. The page shows link hints in one.
class TXLabel : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDefaultWidth = 65;
  static constexpr int kDefaultHeight = 17;
  static constexpr TColor kDefaultColor = RGBColor(0xFF, 0xFF, 0xE0);
  // Space between the frame and the text on every side.
  static constexpr int kPadding = 8;

  using NotifyEvent = std::function<void(TXLabel* sender)>;

  explicit TXLabel(QWidget* parent = nullptr);

  QString Caption() const { return caption_; }
  void setCaption(const QString& caption);
  // Horizontal alignment of the text: Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter.
  Qt::Alignment Alignment() const { return alignment_; }
  void setAlignment(Qt::Alignment alignment);
  bool AutoSize() const { return autoSize_; }
  void setAutoSize(bool on);
  bool WordWrap() const { return wordWrap_; }
  void setWordWrap(bool on);
  // "&x" underlines x and "&&" shows one ampersand.
  bool ShowAccelChar() const { return showAccelChar_; }
  void setShowAccelChar(bool on);
  TColor Color() const { return color_; }
  void setColor(TColor color);
  QFont Font() const { return font(); }
  TColor FontColor() const { return fontColor_; }
  void setFontColor(TColor color);

  // The text's own size, as the label measures it for AutoSize: wrapped at
  // the current inner width when WordWrap is on.
  QSize TextSize() const;

  // Raised after a left click has put the label away.
  NotifyEvent OnClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  WrappedText layout(int width) const;
  void applyAutoSize();

  QString caption_;
  Qt::Alignment alignment_ = Qt::AlignLeft;
  bool autoSize_ = true;
  bool wordWrap_ = true;
  bool showAccelChar_ = true;
  TColor color_ = kDefaultColor;
  TColor fontColor_ = kBlack;
};
