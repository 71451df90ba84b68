#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextDocument>

#include "common/messagerecorder.h"
#include "pages/pagelayout.h"
#include "pages/pageloader.h"
#include "pages/pagerenderer.h"
#include "pages/pagestate.h"
#include "pages/textcache.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 572;

// A page with boxes, a picture and links: about 400 elements per repetition
// of its body when repetitions = 1.
QString richPage(int screens) {
  QString page = QStringLiteral("<html><title>Bench</title><body bgcolor=#ffffff link=#1f4e79>"
                                "<font face=\"Arial\" size=3 id=NORMAL><+normal>");
  for (int s = 0; s < screens; ++s) {
    const int top = 16 + s * 560;
    page += QStringLiteral("<box coords=20,%1,360,120 color=#f4efe6 bcolor=#1f4e79 bwidth=2 yo=6>").arg(top);
    page += QStringLiteral("<box coords=420,%1,360,120 shape=roundrect radius=16 color=#c8e0f4>").arg(top);
    page += QStringLiteral("<box coords=8,%1,-8>").arg(top + 140);
    for (int i = 0; i < 12; ++i) {
      page += QStringLiteral("<a href=\"seite%1.htx@Seite %1\" flash=#c8102e>Lektion %1</a>: "
                             "La casa es grande y el perro come pan. <b>Mi hermana</b> habla alemán. "
                             "<img src=\"flagge.png\" align=m> ").arg(i);
    }
    page += QStringLiteral("<p>");
  }
  return page;
}

class PageBench {
 public:
  explicit PageBench(const QString& markup, const QString& dir = {}) : loader_(page_), markup_(markup) {
    page_.ProgramDir = tmp_.path() + QLatin1Char('/');
    loader_.SetXPath(dir.isEmpty() ? tmp_.path() : dir);
    QImage flag(90, 60, QImage::Format_RGB32);
    flag.fill(QColor(0xF1, 0xBF, 0x00));
    flag.save(tmp_.path() + QStringLiteral("/flagge.png"));
  }
  void show() {
    loader_.ShowText(markup_);
    PageLayout(page_, text_).Run(kWidth, kHeight);
    PageRenderer(page_, text_).Draw(buffer_, kWidth, kHeight);
  }
  void showFile(const QString& file) {
    loader_.OpenFile(file);
    PageLayout(page_, text_).Run(kWidth, kHeight);
    PageRenderer(page_, text_).Draw(buffer_, kWidth, kHeight);
  }
  size_t elements() const { return page_.Document.size(); }

 private:
  QTemporaryDir tmp_;
  PageState page_;
  PageLoader loader_;
  QString markup_;
  QImage buffer_{kWidth, kHeight, QImage::Format_RGB32};
  TextCache text_;
  MessageRecorder quiet_;
};

void BM_ShowMainPage(benchmark::State& state) {
  PageBench b(QString(), QStringLiteral(ZVK_STAGE_DIR "/hzvk"));
  for (auto _ : state) b.showFile(QStringLiteral(ZVK_STAGE_DIR "/hzvk/main.htx"));
  state.counters["elements"] = static_cast<double>(b.elements());
}
BENCHMARK(BM_ShowMainPage)->Unit(benchmark::kMicrosecond);

// range(0): screens of text; 1 is a page of about 400 elements, 5 a long scrolling page.
void BM_ShowPage(benchmark::State& state) {
  PageBench b(richPage(static_cast<int>(state.range(0))));
  for (auto _ : state) b.show();
  state.counters["elements"] = static_cast<double>(b.elements());
}
BENCHMARK(BM_ShowPage)->Arg(1)->Arg(5)->Unit(benchmark::kMicrosecond);

// The same text as HTML laid out and painted by QTextDocument into an image of the same size.
void BM_QTextDocumentPage(benchmark::State& state) {
  QTemporaryDir tmp;
  QImage flag(90, 60, QImage::Format_RGB32);
  flag.fill(QColor(0xF1, 0xBF, 0x00));
  flag.save(tmp.path() + QStringLiteral("/flagge.png"));
  QString html = QStringLiteral("<html><body style=\"font-family: Arial; font-size: 16px\">");
  const int screens = static_cast<int>(state.range(0));
  for (int s = 0; s < screens; ++s) {
    html += QStringLiteral("<table><tr><td style=\"background:#f4efe6; border:2px solid #1f4e79\" width=360 height=120></td>"
                           "<td width=40></td><td style=\"background:#c8e0f4\" width=360 height=120></td></tr></table><p>");
    for (int i = 0; i < 12; ++i)
      html += QStringLiteral("<a href=\"seite%1.htx\">Lektion %1</a>: La casa es grande y el perro come pan. "
                             "<b>Mi hermana</b> habla alemán. <img src=\"%2/flagge.png\" style=\"vertical-align: middle\"> ")
                  .arg(i)
                  .arg(tmp.path());
    html += QStringLiteral("</p>");
  }
  html += QStringLiteral("</body></html>");
  QImage image(kWidth, std::max(kHeight, 560 * screens), QImage::Format_RGB32);
  for (auto _ : state) {
    QTextDocument doc;
    doc.setHtml(html);
    doc.setTextWidth(768);
    image.fill(Qt::white);
    QPainter p(&image);
    doc.drawContents(&p);
    benchmark::DoNotOptimize(doc.size());
  }
}
BENCHMARK(BM_QTextDocumentPage)->Arg(1)->Arg(5)->Unit(benchmark::kMicrosecond);

}  // namespace
