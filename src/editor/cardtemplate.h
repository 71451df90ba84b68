#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <optional>

struct TVokabel;

// One text of an index card: what it prints (a placeholder), on which side,
// where on the card and in which font. Lengths are in 0.1 mm.
struct TTextElement {
  QString id;
  QString text;
  bool back = false;
  int x = 20;
  int y = 20;
  int width = 0;
  int height = 0;  // 0: one line, clipped to the card
  int fontHeight = 0;  // 0: the document's default height
  QString fontName;
  QColor colour = Qt::black;
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

// The layout of the index cards as a template file describes it: the page it
// was made for, the margins, the card size, the number of cards across and
// down, the font and the texts. Lengths are in 0.1 mm; 0 means "as the page
// gives it" (margins centre the grid, counts fill the page).
struct CardTemplate {
  int PW = 0;
  int PH = 0;
  int LM = 0;
  int TM = 0;
  int CW = 0;
  int CH = 0;
  int CX = 0;
  int CY = 0;
  QString SF;
  QList<TTextElement> elements;

  // The text of a template file: "KEY=value" lines, "/" comments, "ID"
  // starting an element, "BACK" putting it on the back. An element without
  // a width gets the card width less its x and 20, once the whole file is
  // read (so that the last element and a card width given late count too).
  static CardTemplate Read(const QString& text);
};

namespace CardTemplates {

// A length of the template: millimetres (stored times ten), or tenths of
// millimetres after "!". Not a number, or not above 0, is 0.
int Length(const QString& value);

// What a placeholder prints for a record ("$VOKABEL", "$BEDEUTUNGEN",
// "$WORTART", "$BUCHSTABE", "$KONTEXTE", "$TITEL"); any other text is
// printed as it stands.
QString Placeholder(const QString& text, const TVokabel& record, const QString& title);

// The template at path, or the German message why it cannot be read
// ("Datei ... existiert nicht!", "Datei konnte nicht geöffnet werden!").
struct Loaded {
  std::optional<CardTemplate> cards;
  QString error;
};
Loaded Load(const QString& path);

}  // namespace CardTemplates
