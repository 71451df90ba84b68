#pragma once

// Reading printed PDFs back with poppler's tools (pdfinfo, pdftotext,
// pdftoppm), for the tests of everything the programs print.

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace PdfTest {

inline bool HavePoppler() {
  for (const char* tool : {"pdftotext", "pdfinfo"})
    if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()) return false;
  return true;
}

// Also pdftoppm, for the tests that look at the printed pages as pictures.
inline bool CanRender() { return HavePoppler() && !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty(); }

inline QByteArray Run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(30000);
  return p.readAllStandardOutput();
}

inline int PageCount(const QString& pdf) {
  const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                        .match(QString::fromUtf8(Run(QStringLiteral("pdfinfo"), {pdf})));
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// "Page size: W x H pts" of the first page.
inline QSizeF PageSize(const QString& pdf) {
  const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)"))
                                        .match(QString::fromUtf8(Run(QStringLiteral("pdfinfo"), {pdf})));
  return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

inline QString PageText(const QString& pdf, int page) {
  return QString::fromUtf8(Run(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(page),
                                                            QStringLiteral("-l"), QString::number(page), pdf,
                                                            QStringLiteral("-")}));
}

inline void ToPdf(QPrinter& printer, const QString& path) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
}

}  // namespace PdfTest
