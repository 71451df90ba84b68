#include "pages/entities.h"

#include <array>

namespace {

// HTML 4 names of the characters 160..255, in code order.
constexpr std::array<const char*, 96> kLatin1Names = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",   "ordf",
    "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",   "acute",  "micro",
    "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave",
    "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",
    "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",
    "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute",
    "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave",
    "iacute", "icirc",  "iuml",   "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide",
    "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml",
};

QString entityText(const QString& name) {
  if (name == QLatin1String("amp")) return QStringLiteral("&");
  if (name == QLatin1String("lt")) return QStringLiteral("<");
  if (name == QLatin1String("gt")) return QStringLiteral(">");
  if (name == QLatin1String("quot")) return QStringLiteral("\"");
  for (size_t i = 0; i < kLatin1Names.size(); ++i)
    if (name == QLatin1String(kLatin1Names[i])) return QString(QChar(static_cast<char16_t>(160 + i)));
  return {};  // "nil" and unknown names give nothing
}

}  // namespace

QString ReplaceFirstEntity(const QString& word) {
  const qsizetype amp = word.indexOf(QLatin1Char('&'));
  if (amp < 0) return word;
  const qsizetype semi = word.indexOf(QLatin1Char(';'), amp + 1);
  const qsizetype nameEnd = semi < 0 ? word.size() : semi;
  const qsizetype after = semi < 0 ? word.size() : semi + 1;
  return word.left(amp) + entityText(word.mid(amp + 1, nameEnd - amp - 1)) + word.mid(after);
}
