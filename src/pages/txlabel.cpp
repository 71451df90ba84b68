#include "pages/txlabel.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

QColor ToQColor(TColor c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

// The text as it appears: "&x" shows x, "&&" one ampersand.
QString Displayed(const QString& text, bool mnemonics) {
  if (!mnemonics || !text.contains(QLatin1Char('&'))) return text;
  QString shown;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  return shown;
}

}  // namespace

// ---------------------------------------------------------------------------
// Wrapped text

QSize WrappedText::Size() const {
  const int widest = Widths.empty() ? 0 : *std::max_element(Widths.begin(), Widths.end());
  return QSize(widest, int(Lines.size()) * LineHeight);
}

WrappedText WrappedText::Wrap(const QFontMetrics& metrics, const QString& text, int width, bool wrap,
                              bool mnemonics) {
  WrappedText result;
  result.LineHeight = metrics.height();
  result.Mnemonics = mnemonics;
  auto measure = [&](const QString& line) { return metrics.horizontalAdvance(Displayed(line, mnemonics)); };
  auto add = [&](const QString& line) {
    result.Lines << line;
    result.Widths.push_back(measure(line));
  };

  QString normalized = text;
  normalized.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  for (const QString& paragraph : normalized.split(QLatin1Char('\n'))) {
    if (!wrap) {
      add(paragraph);
      continue;
    }
    QString line;
    bool started = false;
    for (const QString& word : paragraph.split(QLatin1Char(' '))) {
      const QString candidate = started ? line + QLatin1Char(' ') + word : word;
      if (started && !line.isEmpty() && measure(candidate) > width) {
        add(line);
        line = word;
      } else {
        line = candidate;
      }
      started = true;
    }
    add(line);
  }
  return result;
}

void WrappedText::Draw(QPainter& painter, const QRect& area, Qt::Alignment horizontal) const {
  const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | (Mnemonics ? Qt::TextShowMnemonic : 0);
  for (int i = 0; i < Lines.size(); ++i) {
    int x = area.left();
    if (horizontal & Qt::AlignRight) x = area.left() + area.width() - Widths[i];
    else if (horizontal & Qt::AlignHCenter) x = area.left() + (area.width() - Widths[i]) / 2;
    const QRect line(x, area.top() + i * LineHeight, Widths[i] + LineHeight, LineHeight);
    painter.drawText(line, flags, Lines[i]);
  }
}

// ---------------------------------------------------------------------------
// Label

TXLabel::TXLabel(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(kDefaultWidth, kDefaultHeight);
}

void TXLabel::setCaption(const QString& caption) {
  caption_ = caption;
  applyAutoSize();
}

void TXLabel::setAlignment(Qt::Alignment alignment) {
  alignment_ = alignment & Qt::AlignHorizontal_Mask;
  update();
}

void TXLabel::setAutoSize(bool on) {
  autoSize_ = on;
  applyAutoSize();
}

void TXLabel::setWordWrap(bool on) {
  wordWrap_ = on;
  applyAutoSize();
}

void TXLabel::setShowAccelChar(bool on) {
  showAccelChar_ = on;
  applyAutoSize();
}

void TXLabel::setColor(TColor color) {
  color_ = color & 0xFFFFFF;
  update();
}

void TXLabel::setFontColor(TColor color) {
  fontColor_ = color & 0xFFFFFF;
  update();
}

WrappedText TXLabel::layout(int width) const {
  return WrappedText::Wrap(QFontMetrics(font()), caption_, width, wordWrap_, showAccelChar_);
}

QSize TXLabel::TextSize() const {
  // An empty caption still measures as one blank.
  if (caption_.isEmpty())
    return WrappedText::Wrap(QFontMetrics(font()), QStringLiteral(" "), 0, false, false).Size();
  return layout(width() - 2 * kPadding).Size();
}

void TXLabel::applyAutoSize() {
  if (autoSize_) {
    const QSize text = TextSize();
    const int w = text.width() + 2 * kPadding;
    const int h = text.height() + 2 * kPadding;
    // A right-aligned label grows and shrinks to the left.
    const int left = alignment_ & Qt::AlignRight ? x() + width() - w : x();
    setGeometry(left, y(), w, h);
  }
  update();
}

void TXLabel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect area = rect();
  p.fillRect(area, ToQColor(color_));
  p.setPen(Qt::black);
  p.drawRect(area.adjusted(0, 0, -1, -1));
  p.setFont(font());
  p.setPen(ToQColor(fontColor_));
  const QRect inner = area.adjusted(kPadding, kPadding, -kPadding, -kPadding);
  p.setClipRect(inner);
  layout(inner.width()).Draw(p, inner, alignment_);
}

void TXLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  // Put away: a one-letter text keeps the hidden label small.
  wordWrap_ = false;
  caption_ = QStringLiteral("x");
  applyAutoSize();
  hide();
  if (OnClick) {
    NotifyEvent handler = OnClick;
    handler(this);
  }
}

void TXLabel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) applyAutoSize();
  QWidget::changeEvent(event);
}
