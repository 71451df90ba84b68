#pragma once

#include <QString>
#include <QStringList>

// Scanner over the text of one tag (between "<" and ">"). Reads the tag name,
// then attributes: keywords are matched without regard to case as prefixes of
// the remaining text, in the order of the tag's keyword list; values are
// plain, quoted, numbers or flags. A failure inside a value marks the scanner
// as failed, which ends the tag's attribute loop; it never reports to the user.
class TParser {
 public:
  explicit TParser(const QString& tagText) : text_(tagText) {}

  const QString& text() const { return text_; }
  // The tag name: up to the first blank or carriage return, in upper case.
  QString ReadName();
  // Skips blanks and control characters and matches the keyword list in
  // order; returns the index of the first keyword that is a prefix of the
  // remaining text (and moves past it), or -1.
  int MatchKeyword(const QStringList& keywords);

  // "=" then the text up to the next blank or carriage return (or the end);
  // one leading and one trailing double quote are taken off.
  QString PlainValue();
  // "=" then a double quote, then the text up to the next double quote.
  // An unterminated quote gives an empty value.
  QString QuotedValue();
  // A plain value read as a decimal integer (sign allowed) and clamped to
  // [low, high]; a value that is not a number gives fallback.
  int NumberValue(int low, int high, int fallback);
  // Like NumberValue, but tells whether the value was a number.
  bool TryNumberValue(int low, int high, int* value);

  // The text up to the next blank or carriage return (or the end), as it stands.
  QString ReadUntilBlank();
  // A double quote, then the text up to the next one; marks failure when the
  // quote is missing, gives an empty value when it is not closed.
  QString ReadQuoted();

  // Expects "=" (blanks around it skipped); marks failure when it is missing.
  bool ExpectEquals();
  void SkipBlanks();
  bool AtEnd() const { return pos_ >= text_.size(); }
  QChar Peek() const { return AtEnd() ? QChar() : text_[pos_]; }
  // The text not yet read.
  QString Rest() const { return text_.mid(pos_); }
  void SkipToEnd() { pos_ = text_.size(); }
  qsizetype Position() const { return pos_; }

  bool Failed() const { return failed_; }
  void Fail() { failed_ = true; }

  // Takes off one leading and one trailing double quote.
  static QString Unquote(const QString& value);

 private:
  QString text_;
  qsizetype pos_ = 0;
  bool failed_ = false;
};
