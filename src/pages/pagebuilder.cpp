#include "pages/pagebuilder.h"

#include <vector>

#include "pages/entities.h"
#include "pages/pagestate.h"
#include "pages/tparser.h"

void BuildContext::AddMark(ElementKind kind) { page.Document.push_back(TXText{QString(), kind, fmt}); }

int BuildContext::RegisterLink(const QString& name) {
  fmt.LinkIndex = page.Elements.Links.AddName(name);
  return fmt.LinkIndex;
}

namespace {

// One text being read: the page text or an inserted one.
struct Source {
  QString text;
  qsizetype pos = 0;
};

bool isBlank(QChar c) { return c.unicode() <= 32; }

bool endsLine(const tFormatted_text_list& doc) {
  if (doc.empty()) return true;
  const ElementKind k = doc.back().Kind;
  return k == ElementKind::LineBreak || k == ElementKind::Paragraph || k == ElementKind::BoxMark;
}

class Walker {
 public:
  Walker(PageState& page, PageLoader& loader, const QString& markup, bool newPage)
      : page_(page), ctx_(page, loader) {
    sources_.push_back({markup, 0});
    if (newPage) page_.CurrentFormat = tHTML_format();
  }

  void run() {
    while (!sources_.empty()) {
      Source& s = sources_.back();
      if (s.pos >= s.text.size() || s.text[s.pos] == QChar(0)) {
        sources_.pop_back();
        continue;
      }
      const QChar c = s.text[s.pos];
      const bool tagStart =
          c == QLatin1Char('<') && !(s.pos + 1 < s.text.size() && s.text[s.pos + 1] == QLatin1Char('<'));
      if (ctx_.skipMode && !tagStart) {
        skipText();
      } else if (c == QLatin1Char('$')) {
        variableReference();
      } else if (tagStart) {
        if (!tag()) return;  // "<" without ">": the build ends here
      } else if (!isBlank(c)) {
        word();
      } else {
        blank();
      }
    }
  }

 private:
  Source& src() { return sources_.back(); }

  // Pushes a text to be read at the current position.
  void insert(const QString& text) {
    if (text.isEmpty()) return;
    if (static_cast<int>(sources_.size()) > PageBuilder::kMaxInsertDepth) return;
    if (++insertions_ > PageBuilder::kMaxInsertions) return;
    inserted_ += text.size();
    if (inserted_ > PageBuilder::kMaxInsertedChars) return;
    sources_.push_back({text, 0});
  }

  // "$[name]": the "$" and the character after it are skipped, the name runs to "]".
  void variableReference() {
    Source& s = src();
    s.pos += 2;
    const qsizetype close = s.text.indexOf(QLatin1Char(']'), qMin(s.pos, s.text.size()));
    const qsizetype end = close < 0 ? s.text.size() : close;
    const QString name = s.pos < end ? s.text.mid(s.pos, end - s.pos) : QString();
    s.pos = close < 0 ? s.text.size() : close + 1;

    QString value = page_.GetVariable(name, QStringLiteral("[undefined]"));
    if (page_.SpecialCode) {
      if (value == QLatin1String("[undefined]")) {
        QString code = name;
        page_.AskHost(code);
        value = code;
      } else if (value.startsWith(QLatin1Char('#'))) {
        QString code = value;
        page_.AskHost(code);
        value = code;
      }
    }
    insert(value);
  }

  // Skips up to the next tag; in title mode the skipped text is the title.
  void skipText() {
    Source& s = src();
    qsizetype end = s.pos;
    while (end < s.text.size()) {
      if (s.text[end] == QLatin1Char('<') && !(end + 1 < s.text.size() && s.text[end + 1] == QLatin1Char('<'))) break;
      end += (s.text[end] == QLatin1Char('<')) ? 2 : 1;
    }
    end = qMin(end, s.text.size());
    if (ctx_.titleMode) page_.PageTitle = s.text.mid(s.pos, end - s.pos);
    s.pos = end;
  }

  bool tag() {
    Source& s = src();
    const qsizetype close = s.text.indexOf(QLatin1Char('>'), s.pos + 1);
    if (close < 0) return false;
    ctx_.tagText = s.text.mid(s.pos + 1, close - s.pos - 1);
    s.pos = close + 1;
    readTag();
    if (ctx_.skipMode) {
      if (!sources_.empty()) skipText();
      return true;
    }
    if (ctx_.imageElement) {
      emitPendingSpace();
      page_.Document.push_back(TXText{QString(), ElementKind::ImageMark, *ctx_.imageElement});
      ctx_.imageElement.reset();
    }
    page_.CurrentFormat = ctx_.fmt;
    if (ctx_.tagTabPos != 0) pendingTab_ = ctx_.tagTabPos;
    if (!ctx_.insertMarkup.isEmpty()) {
      insert(ctx_.insertMarkup);
      ctx_.insertMarkup.clear();
    }
    return true;
  }

  void readTag() {
    ++ctx_.fmt.TagSerial;
    ctx_.tagTabPos = 0;
    const QString& text = ctx_.tagText;
    if (text.isEmpty() || text.startsWith(QLatin1Char('!'))) return;
    TParser parser(text);
    const QString name = parser.ReadName();
    if (ctx_.skipMode && name != QLatin1String("/IF") && name != QLatin1String("ELSE") &&
        name != QLatin1String("/TITLE"))
      return;
    if (FormattingTags::Handle(name, parser, ctx_)) return;
    if (StructureTags::Handle(name, parser, ctx_)) return;
    ElementTags::Handle(name, parser, ctx_);
  }

  void word() {
    Source& s = src();
    if (s.text[s.pos] == QLatin1Char('<')) ++s.pos;  // "<<" stands for a literal "<"
    const qsizetype start = s.pos;
    qsizetype end = start + 1;
    const bool inGap = page_.CurrentFormat.GapIndex != -1;
    while (end < s.text.size()) {
      const QChar c = s.text[end];
      if (c == QLatin1Char('<') || c == QChar(0)) break;
      if (!inGap && isBlank(c)) break;
      ++end;
    }
    s.pos = end;
    emitPendingSpace();
    TXText element{ReplaceFirstEntity(s.text.mid(start, end - start)), ElementKind::Word, page_.CurrentFormat};
    element.Format.TabPos = pendingTab_;
    pendingTab_ = 0;
    attachToGap(element, static_cast<int>(page_.Document.size()));
    page_.Document.push_back(std::move(element));
  }

  void blank() {
    Source& s = src();
    while (s.pos < s.text.size() && isBlank(s.text[s.pos]) && s.text[s.pos] != QChar(0)) ++s.pos;
    if (endsLine(page_.Document) || justifiedTabPending()) return;
    blankPending_ = true;
    blankFormat_ = page_.CurrentFormat;
  }

  // The first word of a typing gap or a drop gap is the one its editor or
  // block lies over.
  void attachToGap(const TXText& word, int index) {
    const int gap = word.Format.GapIndex;
    PageElements& e = page_.Elements;
    if (gap >= 0 && gap < 255 && gap < static_cast<int>(e.Gaps.size())) {
      if (e.Gaps[static_cast<size_t>(gap)].Element < 0) e.Gaps[static_cast<size_t>(gap)].Element = index;
    } else if (gap >= 255 && gap - 255 < static_cast<int>(e.Drag.Gaps.size())) {
      TDropGap& drop = e.Drag.Gaps[static_cast<size_t>(gap - 255)];
      if (drop.Element < 0) {
        drop.Element = index;
        drop.Expected = word.Text;
      }
    }
  }

  bool justifiedTabPending() const { return pendingTab_ != 0 && page_.CurrentFormat.Align == 3; }

  void emitPendingSpace() {
    if (!blankPending_) return;
    blankPending_ = false;
    const tFormatted_text_list& doc = page_.Document;
    if (doc.empty() || doc.back().Kind == ElementKind::Space || endsLine(doc) || justifiedTabPending()) return;
    TXText space{QStringLiteral(" "), ElementKind::Space, blankFormat_};
    const tHTML_format& before = doc.back().Format;
    if (before.LinkIndex != space.Format.LinkIndex) space.Format.LinkIndex = -1;
    if (before.Font.Hot != space.Format.Font.Hot) space.Format.Font.Hot = false;
    page_.Document.push_back(std::move(space));
  }

  PageState& page_;
  BuildContext ctx_;
  std::vector<Source> sources_;
  qsizetype inserted_ = 0;
  int insertions_ = 0;
  bool blankPending_ = false;
  tHTML_format blankFormat_;
  int pendingTab_ = 0;
};

}  // namespace

void PageBuilder::Build(const QString& markup, bool newPage) {
  Walker walker(page_, loader_, markup, newPage);
  walker.run();
  page_.Elements.Links.BuildRects = static_cast<int>(page_.Elements.Links.Rects.size());
}
