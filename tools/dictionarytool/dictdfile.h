#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// A dictionary in the dictd format: "NAME.index" lists every head word with
// the offset and length (base-64 numbers) of its article in the text
// "NAME.dict.dz", a gzip (dictzip) file. Several head words may share one
// article.
namespace DictdFile {

// A base-64 number of the index, most significant digit first; no value
// for an empty text or a character outside the alphabet.
std::optional<qint64> DecodeNumber(const QString& digits);

// The articles of a dictionary, each once, in the order of their first head
// word in the index; the database's own information articles (head words
// "00database…") are left out. No value, with the reason in error, when a
// file cannot be read, an index line is damaged or points past the text.
std::optional<QStringList> ReadArticles(const QString& indexPath, const QString& dictPath, QString* error);

}  // namespace DictdFile
