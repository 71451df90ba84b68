#include "pagesheet.h"

#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QTextStream>

#include "common/messagebox.h"
#include "common/messagerecorder.h"
#include "common/random.h"
#include "lab/tthemenliste.h"
#include "lab/voicecomparison.h"
#include "pages/pagefonts.h"
#include "pages/txpage.h"
#include "sound/txrecorder.h"
#include "users/userstatistics.h"

QSize ReadPageSize(const QString& text) {
  static const QRegularExpression form(QStringLiteral("^(\\d{1,4})x(\\d{1,4})$"));
  const QRegularExpressionMatch m = form.match(text.trimmed());
  if (!m.hasMatch()) return {};
  const int w = m.captured(1).toInt();
  const int h = m.captured(2).toInt();
  if (w < 1 || h < 1 || w > 4000 || h > 4000) return {};
  return QSize(w, h);
}

void SetPageSize(TXPage& page, const QSize& size) {
  page.resize(size);
  // A control that is not shown gets its resize event only when it is drawn;
  // the page state takes the size now, for the build.
  page.state().Width = size.width();
  page.state().Height = size.height();
}

std::optional<PageSamples> PageSamples::read(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
    if (error) *error = path + QStringLiteral(": nicht lesbar");
    return std::nullopt;
  }
  PageSamples samples;
  PageSample* current = nullptr;
  int number = 0;
  QTextStream in(&file);
  in.setEncoding(QStringConverter::Utf8);
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    ++number;
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    const auto bad = [&] {
      if (error) *error = QStringLiteral("%1, Zeile %2: %3").arg(path).arg(number).arg(line);
      return std::nullopt;
    };
    if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
      const QString head = line.mid(1, line.size() - 2).trimmed();
      if (head == QLatin1String("*")) {
        current = &samples.common_;
        continue;
      }
      const qsizetype blank = head.indexOf(QLatin1Char(' '));
      PageSample s;
      s.file = blank < 0 ? head : head.left(blank);
      s.label = blank < 0 ? QString() : head.mid(blank + 1).trimmed();
      if (s.file.isEmpty()) return bad();
      samples.sections_.append(s);
      current = &samples.sections_.last();
    } else if (!current) {
      return bad();
    } else if (line.startsWith(QLatin1String("var "))) {
      const QString pair = line.mid(4).trimmed();
      const qsizetype eq = pair.indexOf(QLatin1Char('='));
      if (eq <= 0) return bad();
      current->variables.append({pair.left(eq), pair.mid(eq + 1)});
    } else if (line.startsWith(QLatin1String("cond "))) {
      current->conditions.append(line.mid(5).trimmed());
    } else if (line == QLatin1String("scroll")) {
      current->scrolls = true;
    } else if (line.startsWith(QLatin1String("size "))) {
      current->size = ReadPageSize(line.mid(5));
      if (current->size.isEmpty()) return bad();
    } else {
      return bad();
    }
  }
  return samples;
}

QList<PageSample> PageSamples::samplesFor(const QStringList& files) const {
  QList<PageSample> out;
  for (const QString& file : files) {
    bool found = false;
    for (const PageSample& section : sections_) {
      if (section.file.compare(file, Qt::CaseInsensitive) != 0) continue;
      PageSample s = common_;
      s.file = file;
      s.label = section.label;
      s.variables += section.variables;
      s.conditions += section.conditions;
      s.scrolls = section.scrolls;
      if (!section.size.isEmpty()) s.size = section.size;
      out.append(s);
      found = true;
    }
    if (!found) {
      PageSample s = common_;
      s.file = file;
      s.scrolls = false;
      out.append(s);
    }
  }
  return out;
}

namespace {

QString nameOf(const PageSample& s) { return s.label.isEmpty() ? s.file : s.file + QStringLiteral(" (") + s.label + QLatin1Char(')'); }

// Text that is drawn: words with something visible in them.
bool isText(const TXText& e) {
  return e.Kind == ElementKind::Word && e.Format.PictureIndex < 0 && !e.Text.trimmed().isEmpty() &&
         e.Text != QStringLiteral("\u00FF");
}

// Pictures a page asks its host for ("%WxH=code"): the language lab's
// comparison as it stands before anything is recorded, the statistics
// charts as a chart of an invented learner.
void drawSampleChart(TXPage*, const QString& code, QImage& picture) {
  if (code == TThemenListe::kComparisonCode) {
    VoiceComparison().Draw(picture);
    return;
  }
  UserStatistics s;
  s.records = 60;
  const std::array<int, UserStatistics::kBuckets> counts = {1, 0, 1, 2, 1, 2, 3, 2, 4, 3, 6,
                                                            5, 4, 6, 5, 4, 3, 3, 2, 2, 1};
  for (int chart = 0; chart < 4; ++chart) s.histograms[static_cast<size_t>(chart)] = counts;
  s.draw(picture, UserStatistics::Absolute);
}

}  // namespace

SampledPage DrawSample(const QString& directory, const PageSample& sample) {
  SampledPage out;
  out.sample = sample;
  MessageRecorder messages;
  Random::seed(0);
  TXPage page;
  if (!sample.size.isEmpty()) SetPageSize(page, sample.size);
  page.CreateRecorder = TXRecorder::PageFactory();
  page.setOnPictureRequest(drawSampleChart);
  page.state().ProgramDir = directory + QStringLiteral("/../");
  page.setXPath(directory);
  for (const auto& [name, value] : sample.variables) page.SetVariable(name, value);
  for (const QString& c : sample.conditions) page.SetCondition(c, true);
  page.setXFile(sample.file);
  for (const Message& m : messages.messages())
    out.problems << QStringLiteral("%1: Meldung (%2) \"%3\"").arg(nameOf(sample), MessageBoxService::kindName(m.kind), m.text);
  const PageState& state = page.state();
  if (state.Layout.ScrollBarVisible && !sample.scrolls)
    out.problems << QStringLiteral("%1: %2 Pixel hoch, höher als das Fenster (%3)")
                        .arg(nameOf(sample))
                        .arg(state.Layout.DocumentHeight)
                        .arg(state.Height);
  for (const TXText& e : state.Layout.Elements) {
    if (!isText(e)) continue;
    const int pixels = PageFonts::FontFor(e.Format.Font).pixelSize();
    if (pixels < kSmallestText)
      out.problems << QStringLiteral("%1: \"%2\" ist nur %3 Pixel hoch").arg(nameOf(sample), e.Text).arg(pixels);
    // Only the first entity of a word is replaced; a second one shows as it is written.
    static const QRegularExpression entity(QStringLiteral("&[A-Za-z]+;"));
    if (e.Text.contains(entity))
      out.problems << QStringLiteral("%1: \"%2\" zeigt ein Zeichen als Namen").arg(nameOf(sample), e.Text);
    if (e.Text.contains(QStringLiteral("[undefined]")))
      out.problems << QStringLiteral("%1: eine Variable ohne Wert (\"%2\")").arg(nameOf(sample), e.Text);
    if (e.X + e.Width > state.Width)
      out.problems << QStringLiteral("%1: \"%2\" reicht über den rechten Rand").arg(nameOf(sample), e.Text);
  }
  out.image = page.grab().toImage().convertToFormat(QImage::Format_RGB32);
  return out;
}

QImage ContactSheet(const QList<SampledPage>& pages, int columns) {
  constexpr int kGap = 12;
  constexpr int kLabel = 22;
  const int cellW = TXPage::kDefaultWidth / 2;
  const int cellH = TXPage::kDefaultHeight / 2;
  columns = std::max(1, columns);
  const int rows = static_cast<int>((pages.size() + columns - 1) / columns);
  QImage sheet(kGap + columns * (cellW + kGap), kGap + std::max(1, rows) * (cellH + kLabel + kGap), QImage::Format_RGB32);
  sheet.fill(QColor(0x44, 0x40, 0x3c));
  QPainter p(&sheet);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(13);
  p.setFont(font);
  for (int i = 0; i < pages.size(); ++i) {
    const int x = kGap + (i % columns) * (cellW + kGap);
    const int y = kGap + (i / columns) * (cellH + kLabel + kGap);
    QSize drawn = pages[i].image.size() / 2;
    if (drawn.width() > cellW || drawn.height() > cellH) drawn.scale(cellW, cellH, Qt::KeepAspectRatio);
    p.drawImage(QRect(QPoint(x, y), drawn), pages[i].image);
    p.setPen(pages[i].problems.isEmpty() ? QColor(0xf0, 0xe8, 0xdc) : QColor(0xff, 0x80, 0x70));
    p.drawText(QRect(x, y + cellH + 2, cellW, kLabel - 2), Qt::AlignLeft | Qt::AlignVCenter, nameOf(pages[i].sample));
  }
  return sheet;
}
